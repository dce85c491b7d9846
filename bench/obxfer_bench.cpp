// OB-XFER receive of an archive from the host simulator on loopback, in blocks of 4 KB,
// against a plain loopback socket moving the same bytes with the same per-block
// acknowledgement (one block out, one short answer back). Goal: within 2x of that
// baseline, and linear in size (5 MB against 20 MB).

#include "app/core/ui.h"
#include "documents/documentfile.h"
#include "hostlink/hostlink.h"
#include "hostlink/linkhelpers.h"
#include "hostlink/obxferlink.h"
#include "tools/hostsim/hostsimulator.h"
#include "tools/hostsim/updatecommands.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <chrono>

using namespace vandrel;

namespace {

constexpr int blockSize = 4096;

struct QuietUi final : Ui {
    int messages = 0;
    MsgAnswer message(const Message&) override { return ++messages, MsgAnswer::Ok; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return {}; }
};

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
    return bytes;
}

struct Files {
    QTemporaryDir tmp;
    QString archive(qsizetype size)
    {
        const QString name = tmp.filePath(QStringLiteral("archive-%1.zip").arg(size));
        if (!QFile::exists(name) && DocumentFile::replaceFile(name, randomBytes(size)) != 0)
            qFatal("obxfer_bench: the archive cannot be written");
        return name;
    }
};

Files& files()
{
    static Files f;
    return f;
}

// Seconds for the receive itself (login and the update request not counted); -1 on failure.
double receiveFromSimulator(qsizetype size)
{
    QTemporaryDir download;
    hostsim::SimConfig config;
    config.modem = false;
    config.accounts << hostsim::Account{QStringLiteral("1234567"), QStringLiteral("geheim"), "READY"};
    config.zipFile = files().archive(size);
    config.sessions.blockSize = blockSize;
    hostsim::HostSimulator sim(config);
    if (!sim.start())
        return -1;
    HostLink link;
    HostValues values;
    values.traceAddress = sim.traceAddress();
    values.hostPort = sim.tcpPort();
    link.setHostValues(values);
    CommSettings settings;
    settings.setModemName(CommSettings::ViaInternet);
    settings.setAccessCode(QStringLiteral("1234567"));
    settings.setPrivateCode(QStringLiteral("geheim"));
    link.setSettings(settings);
    if (!link.Connect(3))
        return -1;
    SendLine(link, "DL OB VDCDINFO.ZIP\r\n");
    QByteArray line;
    do
        ReadLine(link, line, 5);
    while (!line.isEmpty() && !line.contains("* START DOWNLOAD *"));
    if (line.isEmpty())
        return -1;

    ObxferTarget target;
    target.downloadDirectory = download.path() + QLatin1Char('/');
    QString name;
    const auto t0 = std::chrono::steady_clock::now();
    const bool ok = ReceiveFileTcp(link, target, name);
    const auto t1 = std::chrono::steady_clock::now();
    HangUp(link);
    if (!ok || QFileInfo(download.filePath(name)).size() != size)
        return -1;
    return std::chrono::duration<double>(t1 - t0).count();
}

// The same bytes in the same blocks over a plain loopback socket, each answered with a
// short acknowledgement before the next goes out.
double plainSocket(qsizetype size)
{
    const QByteArray content = randomBytes(size);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost))
        return -1;
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    if (!server.waitForNewConnection(5000) || !client.waitForConnected(5000))
        return -1;
    QTcpSocket* host = server.nextPendingConnection();
    qsizetype sent = 0;
    qsizetype received = 0;
    QByteArray pendingAck;
    auto sendNext = [&] {
        const QByteArray block = content.mid(sent, blockSize);
        sent += block.size();
        host->write(block);
    };
    QObject::connect(host, &QTcpSocket::readyRead, [&] {
        pendingAck += host->readAll();
        while (pendingAck.size() >= 8) {
            pendingAck.remove(0, 8);
            if (sent < size)
                sendNext();
        }
    });
    qsizetype sinceAck = 0;
    QObject::connect(&client, &QTcpSocket::readyRead, [&] {
        const QByteArray bytes = client.readAll();
        received += bytes.size();
        sinceAck += bytes.size();
        while (sinceAck >= blockSize || (received == size && sinceAck > 0)) {
            sinceAck -= std::min<qsizetype>(sinceAck, blockSize);
            client.write("\x1b\x1b$$NU01", 8);
        }
    });
    const auto t0 = std::chrono::steady_clock::now();
    sendNext();
    while (received < size)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(t1 - t0).count();
}

void BM_ObxferReceive(benchmark::State& state)
{
    const qsizetype size = state.range(0) << 20;
    files().archive(size);
    QuietUi ui;
    Ui::install(&ui);
    double obxfer = 0, plain = 0;
    for (auto _ : state) {
        const double o = receiveFromSimulator(size);
        const double p = plainSocket(size);
        if (o < 0 || p < 0) {
            state.SkipWithError("transfer failed");
            break;
        }
        obxfer += o;
        plain += p;
        state.SetIterationTime(o);
    }
    Ui::install(nullptr);
    const double n = double(state.iterations());
    state.SetBytesProcessed(int64_t(size) * state.iterations());
    state.counters["obxfer_s"] = obxfer / n;
    state.counters["plain_socket_s"] = plain / n;
    state.counters["ratio"] = obxfer / plain;
    state.counters["MB_per_s"] = double(size) / (1 << 20) / (obxfer / n);
}

} // namespace

BENCHMARK(BM_ObxferReceive)->ArgName("MB")->Arg(5)->Arg(20)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
