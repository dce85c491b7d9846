#include "tools/hostsim/simconfig.h"

#include "tools/hostsim/sessionfaults.h"

namespace vandrel::hostsim {

const Account* SimConfig::account(const QString& code) const
{
    for (const Account& a : accounts)
        if (a.code == code)
            return &a;
    return nullptr;
}

std::optional<Account> parseAccount(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3 || parts[0].isEmpty() || parts[1].isEmpty())
        return std::nullopt;
    Account a{parts[0], parts[1], "READY"};
    if (parts.size() == 3) {
        const QByteArray status = parts[2].toUpper().toLatin1();
        if (status != "ACEXP" && status != "ACPRE" && status != "AXCLU" && status != "READY")
            return std::nullopt;
        a.status = status;
    }
    return a;
}

QList<Fault>& faultTable()
{
    static QList<Fault> table = {
        {QStringLiteral("tcp-hello-ready"), QStringLiteral("internet login greets HELLO then READY (no LOGIN)"),
         [](SimConfig& c, const QString&) {
             c.tcpGreeting = {"HELLO", "READY"};
             return true;
         }},
        {QStringLiteral("no-privecode"), QStringLiteral("modem login skips the private-code prompt"),
         [](SimConfig& c, const QString&) {
             c.privecodePrompt = false;
             return true;
         }},
        {QStringLiteral("repeat-command"),
         QStringLiteral("modem login repeats the [C]ommand prompt N times (no value: for ever)"),
         [](SimConfig& c, const QString& v) {
             bool ok = true;
             c.commandPromptRepeats = v.isEmpty() ? -1 : v.toInt(&ok);
             return ok;
         }},
        {QStringLiteral("dial"), QStringLiteral("modem answer to ATD: BUSY, NO CARRIER, NO DIALTONE, ERROR"),
         [](SimConfig& c, const QString& v) {
             const QByteArray answer = v.toUpper().toLatin1();
             if (answer != "BUSY" && answer != "NO CARRIER" && answer != "NO DIALTONE" && answer != "ERROR" &&
                 !answer.startsWith("CONNECT"))
                 return false;
             c.dialAnswer = answer;
             return true;
         }},
        {QStringLiteral("silent-modem"), QStringLiteral("the modem does not answer AT"),
         [](SimConfig& c, const QString&) {
             c.modemAnswers = false;
             return true;
         }},
        {QStringLiteral("no-traceip"), QStringLiteral("the trace page is not found"),
         [](SimConfig& c, const QString&) {
             c.tracePage = false;
             return true;
         }},
    };
    static const bool sessions = (table += sessionFaults(), true);
    (void)sessions;
    return table;
}

bool applyFault(SimConfig& config, const QString& spec, QString* error)
{
    const qsizetype eq = spec.indexOf(QLatin1Char('='));
    const QString name = eq < 0 ? spec : spec.left(eq);
    const QString value = eq < 0 ? QString() : spec.mid(eq + 1);
    for (const Fault& f : faultTable())
        if (f.name == name) {
            if (f.apply(config, value))
                return true;
            if (error)
                *error = QStringLiteral("bad value for fault %1: %2").arg(name, value);
            return false;
        }
    if (error)
        *error = QStringLiteral("unknown fault: %1").arg(name);
    return false;
}

QString usage()
{
    QString text = QStringLiteral(
        "usage: vandrel-hostsim --port N --http-port N --account CODE:PRIVATE[:ACEXP|ACPRE|AXCLU]...\n"
        "                       [--zip FILE] [--log FILE] [--orders-dir DIR] [--max-seconds S]\n"
        "                       [--demo-settings WINDIR]\n"
        "                       [--no-modem] [--fault NAME[=VALUE]]...\n"
        "Port 0 picks a free port. Prints 'tcp PORT', 'http PORT' and 'pty PATH' on start.\n"
        "Faults:\n");
    for (const Fault& f : faultTable())
        text += QStringLiteral("  %1  %2\n").arg(f.name, -16).arg(f.help);
    return text;
}

std::optional<SimConfig> parseCommandLine(const QStringList& arguments, QString* error)
{
    SimConfig c;
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        const auto port = [&](quint16& target) {
            const auto v = value();
            bool ok = false;
            const uint n = v ? v->toUInt(&ok) : 0;
            if (!ok || n > 65535)
                return false;
            target = quint16(n);
            return true;
        };
        if (a == QLatin1String("--port")) {
            if (!port(c.tcpPort))
                return fail(QStringLiteral("--port needs a port number"));
        } else if (a == QLatin1String("--http-port")) {
            if (!port(c.httpPort))
                return fail(QStringLiteral("--http-port needs a port number"));
        } else if (a == QLatin1String("--account")) {
            const auto v = value();
            const auto account = v ? parseAccount(*v) : std::nullopt;
            if (!account)
                return fail(QStringLiteral("--account needs CODE:PRIVATE[:ACEXP|ACPRE|AXCLU]"));
            c.accounts << *account;
        } else if (a == QLatin1String("--zip") || a == QLatin1String("--log") || a == QLatin1String("--orders-dir")) {
            const auto v = value();
            if (!v || v->isEmpty())
                return fail(a + QStringLiteral(" needs a path"));
            (a == QLatin1String("--zip") ? c.zipFile : a == QLatin1String("--log") ? c.logFile : c.ordersDir) = *v;
        } else if (a == QLatin1String("--max-seconds")) {
            const auto v = value();
            bool ok = false;
            c.maxSeconds = v ? v->toInt(&ok) : 0;
            if (!ok || c.maxSeconds < 0)
                return fail(QStringLiteral("--max-seconds needs a number of seconds"));
        } else if (a == QLatin1String("--no-modem")) {
            c.modem = false;
        } else if (a == QLatin1String("--fault")) {
            const auto v = value();
            QString why;
            if (!v || !applyFault(c, *v, &why))
                return fail(v ? why : QStringLiteral("--fault needs a name"));
        } else {
            return fail(QStringLiteral("unknown argument: ") + a);
        }
    }
    return c;
}

} // namespace vandrel::hostsim
