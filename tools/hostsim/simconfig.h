#pragma once

#include "tools/hostsim/sessionscript.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vandrel::hostsim {

// One customer account of the simulated host: access code, private code and the answer
// after "OKLOG" ("READY", or "ACEXP", "ACPRE", "AXCLU" for a refused account).
struct Account {
    QString code;
    QString privateCode;
    QByteArray status = "READY";
};

// Everything the simulator does; the command line fills it, tests set it directly.
struct SimConfig {
    quint16 tcpPort = 0;  // 0: a free port
    quint16 httpPort = 0; // 0: a free port
    bool modem = true;    // a Hayes modem on a pseudo-terminal
    QList<Account> accounts;
    QString zipFile;   // the update archive the update commands serve
    QString ordersDir; // where uploaded orders are kept
    QString logFile;   // transcript of every byte; empty: none
    int maxSeconds = 0; // 0: until killed

    // Scriptable behaviour (faults). Defaults are a well-behaved host.
    // Internet login: lines sent on connect.
    QList<QByteArray> tcpGreeting = {"HELLO", "LOGIN"};
    // Modem: the answer to ATD ("CONNECT 2400", "BUSY", "NO CARRIER", "NO DIALTONE",
    // "ERROR") and whether the modem answers AT at all.
    QByteArray dialAnswer = "CONNECT 2400";
    bool modemAnswers = true;
    // Modem login: whether the private-code prompt comes, and how many times the
    // "[C]ommand" prompt is repeated after "C" before READY (-1: for ever).
    bool privecodePrompt = true;
    int commandPromptRepeats = 0;
    // The trace page names the host's address.
    bool tracePage = true;
    // The order and update commands and OB-XFER.
    SessionScript sessions;

    const Account* account(const QString& code) const;
};

// Parses "CODE:PRIVATE[:ACEXP|ACPRE|AXCLU]".
std::optional<Account> parseAccount(const QString& text);

// Named faults (--fault NAME[=VALUE]) that change the configuration. New faults are
// added to the table, nothing else changes.
struct Fault {
    QString name;
    QString help;
    std::function<bool(SimConfig&, const QString& value)> apply;
};
QList<Fault>& faultTable();
// False (with a reason) for an unknown fault or a bad value.
bool applyFault(SimConfig& config, const QString& spec, QString* error);

// The command line; nullopt with a Dutch-free, plain reason on a usage error.
std::optional<SimConfig> parseCommandLine(const QStringList& arguments, QString* error);
QString usage();

} // namespace vandrel::hostsim
