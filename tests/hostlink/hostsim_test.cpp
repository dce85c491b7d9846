// The simulator's command line and the console program as scripts use it.
#include "hostsimfixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpSocket>

using namespace vandrel;
using namespace vandrel::hostsim;
using namespace vandrel::test;

namespace {

TEST(HostSimCommandLine, ParsesEveryOption)
{
    QString error;
    const auto c = parseCommandLine({"--port", "0", "--http-port", "8080", "--account", "1234567:geheim",
                                     "--account", "7654321:x:acpre", "--zip", "u.zip", "--log", "t.log",
                                     "--orders-dir", "orders", "--max-seconds", "30", "--fault", "dial=BUSY"},
                                    &error);
    ASSERT_TRUE(c) << error.toStdString();
    EXPECT_EQ(c->tcpPort, 0);
    EXPECT_EQ(c->httpPort, 8080);
    ASSERT_EQ(c->accounts.size(), 2);
    EXPECT_EQ(c->accounts[1].status, "ACPRE");
    EXPECT_EQ(c->zipFile, "u.zip");
    EXPECT_EQ(c->logFile, "t.log");
    EXPECT_EQ(c->ordersDir, "orders");
    EXPECT_EQ(c->maxSeconds, 30);
    EXPECT_EQ(c->dialAnswer, "BUSY");
}

TEST(HostSimCommandLine, RefusesBadArguments)
{
    const QStringList bad[] = {{"--port"},           {"--port", "70000"},  {"--account", "1234567"},
                               {"--account", "a:b:NOPE"}, {"--fault", "nope"}, {"--fault", "dial=HELLO"},
                               {"--max-seconds", "-1"},   {"--zip"},           {"--what"}};
    for (const QStringList& args : bad) {
        QString error;
        EXPECT_FALSE(parseCommandLine(args, &error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(HostSimProgram, PrintsItsPortsAndServesTheLogin)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("transcript.log");
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/vandrel-hostsim",
              {"--port", "0", "--http-port", "0", "--account", "1234567:geheim", "--log", log, "--max-seconds", "20"});
    ASSERT_TRUE(sim.waitForStarted(10000));
    QMap<QString, QString> printed;
    while (printed.size() < 3 && sim.waitForReadyRead(10000))
        while (sim.canReadLine()) {
            const QStringList parts = QString::fromLatin1(sim.readLine()).trimmed().split(' ');
            if (parts.size() == 2)
                printed[parts[0]] = parts[1];
        }
    ASSERT_TRUE(printed.contains("tcp") && printed.contains("http") && printed.contains("pty"));
    EXPECT_GT(printed["tcp"].toUInt(), 0u);
    EXPECT_GT(printed["http"].toUInt(), 0u);
    EXPECT_TRUE(printed["pty"].startsWith("/dev/"));

    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", quint16(printed["tcp"].toUInt()));
    ASSERT_TRUE(socket.waitForConnected(10000));
    QByteArray got;
    while (!got.contains("LOGIN\r\n") && socket.waitForReadyRead(10000))
        got += socket.readAll();
    EXPECT_EQ(got, "HELLO\r\nLOGIN\r\n");
    socket.write("1234567\r\n");
    socket.waitForBytesWritten(10000);
    while (!got.contains("PASWD") && socket.waitForReadyRead(10000))
        got += socket.readAll();
    socket.close();
    sim.terminate();
    sim.waitForFinished(10000);

    QFile transcript(log);
    ASSERT_TRUE(transcript.open(QIODevice::ReadOnly));
    const QByteArray text = transcript.readAll();
    EXPECT_TRUE(text.contains("tcp#1 > HELLO\\r\\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("tcp#1 > LOGIN\\r\\n"));
    EXPECT_TRUE(text.contains("tcp#1 < 1234567\\r\\n")) << text.toStdString();
}

} // namespace
