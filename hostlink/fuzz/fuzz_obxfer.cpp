// libFuzzer target for the block download: arbitrary received bytes, cut into arbitrary
// reads, must never crash, hang or write outside the download folder; the accumulator
// must cut frames exactly as TakeFrame does.
#include "app/core/ui.h"
#include "hostlink/obxfer.h"
#include "hostlink/obxferreceiver.h"

#include <QDir>
#include <QList>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

struct SilentUi final : vandrel::Ui {
    vandrel::MsgAnswer message(const vandrel::Message&) override { return vandrel::MsgAnswer::Ok; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileName(const vandrel::FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const vandrel::FileDialogRequest&) override { return {}; }
};

struct Wire final : vandrel::ObxferChannel {
    QList<QByteArray> chunks;
    qint64 clock = 0;
    bool up = true;
    bool isConnected() override { return up; }
    QByteArray receive(int maxWaitMs) override
    {
        if (chunks.isEmpty()) {
            clock += maxWaitMs + 1000; // silence passes quickly; the line drops at the end
            if (clock > 200000)
                up = false;
            return {};
        }
        return chunks.takeFirst();
    }
    void send(const QByteArray&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static SilentUi ui;
    vandrel::Ui::install(&ui);
    const int chunk = 1 + data[0];
    const QByteArray wire(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    // The accumulator against the definition: a frame ends at the first end marker after
    // its start, and what lies before a start is dropped.
    using vandrel::obxfer::frameEnd;
    using vandrel::obxfer::frameStart;
    QList<QByteArray> reference;
    for (qsizetype pos = 0;;) {
        const qsizetype s = wire.indexOf(frameStart, pos);
        const qsizetype e = s < 0 ? -1 : wire.indexOf(frameEnd, s + frameStart.size());
        if (e < 0)
            break;
        reference << wire.mid(s + frameStart.size(), e - s - frameStart.size());
        pos = e + frameEnd.size();
    }
    QByteArray copy = wire;
    if (vandrel::obxfer::TakeFrame(copy) != reference.value(0))
        __builtin_trap();
    vandrel::obxfer::FrameAccumulator acc;
    QList<QByteArray> cut;
    for (qsizetype i = 0; i < wire.size(); i += chunk) {
        acc.append(wire.mid(i, chunk));
        for (QByteArray p; acc.takeFrame(p);)
            cut << p;
    }
    if (cut != reference)
        __builtin_trap();

    // The receiver into a fresh folder inside a parent that must stay empty otherwise.
    QTemporaryDir parent;
    const QString folder = parent.path() + QStringLiteral("/download");
    QDir().mkpath(folder);
    Wire channel;
    for (qsizetype i = 0; i < wire.size(); i += chunk)
        channel.chunks << wire.mid(i, chunk);
    vandrel::ObxferReceiver::Options options;
    options.downloadDirectory = folder + QLatin1Char('/');
    vandrel::ObxferReceiver receiver(channel, options);
    receiver.setClock([&channel] { return channel.clock; });
    QString name;
    (void)receiver.receive(name);
    if (QDir(parent.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
        != QStringList{QStringLiteral("download")})
        __builtin_trap();
    for (const QString& entry : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (!vandrel::isPlainFileName(entry))
            __builtin_trap();
    vandrel::Ui::install(nullptr);
    return 0;
}
