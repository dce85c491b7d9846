#pragma once

// A simulated host on loopback and a host link pointed at it, on a clock that runs
// twenty times faster than real time: the dialogue's seconds take milliseconds.
#include "hostlink/hostlink.h"
#include "scriptedui.h"
#include "testdir.h"
#include "tools/hostsim/hostsimulator.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace vandrel::test {

struct HostSimFixture : ::testing::Test {
    TestDir dir; // the Windows directory of the test
    ScriptedUi ui;
    ScaledClock clock{20};
    hostsim::SimConfig config;
    std::unique_ptr<hostsim::HostSimulator> sim;
    std::unique_ptr<HostLink> link;
    QStringList statusTexts;

    HostSimFixture() { config.accounts << hostsim::Account{"1234567", "geheim", "READY"}; }

    // Starts the simulator with the fixture's config and a link set up for it.
    void startHost(const QString& modemName = QString())
    {
        sim = std::make_unique<hostsim::HostSimulator>(config);
        QString error;
        ASSERT_TRUE(sim->start(&error)) << error.toStdString();
        link = std::make_unique<HostLink>(clock);
        HostValues values;
        values.traceAddress = sim->traceAddress();
        values.hostPort = sim->tcpPort();
        link->setHostValues(values);
        CommSettings s;
        s.setModemName(modemName.isEmpty() ? CommSettings::ViaInternet : modemName);
        s.setTelephoneNumber("0201234567");
        s.setAccessCode("1234567");
        s.setPrivateCode("geheim");
        s.setFileTransfer("OBxfer");
        link->setSettings(s);
        QObject::connect(link.get(), &HostLink::modemMsgChanged, [this](const QString& t) { statusTexts << t; });
    }
    void setCodes(const QString& access, const QString& privateCode)
    {
        CommSettings s = link->settings();
        s.setAccessCode(access);
        s.setPrivateCode(privateCode);
        link->setSettings(s);
    }
    QByteArray fromProgram(const QString& channel) const { return sim->transcript().received(channel); }
};

} // namespace vandrel::test

// Readable failure output for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral("|")).toStdString() << ']';
}
inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << '"' << b.toStdString() << '"';
}
