#include "hostlink/obxfer.h"
#include "hostlink/obxferreceiver.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace vandrel;
using namespace vandrel::obxfer;

namespace {

QByteArray header(const QByteArray& block, qint64 size, const QByteArray& name)
{
    return BuildFrame("IU" + block + QByteArray::number(size).rightJustified(8, '0') + name);
}

QByteArray dataBlock(const QByteArray& block, const QByteArray& data, int checkOffset = 0)
{
    return BuildFrame("UB" + block + QByteArray::number((CheckDigit(data) + checkOffset) % 10) + data);
}

QByteArray everyByte(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 256) & 0xff);
    return bytes;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The line as the receiver sees it: chunks handed out one per wait, the bytes it sends,
// and a clock that moves by the time each wait would take.
struct FakeChannel final : ObxferChannel {
    QList<QByteArray> incoming;
    QList<QByteArray> sent;
    std::function<void(const QByteArray&)> host; // reacts to what we send
    qint64 clock = 0;
    bool connected = true;
    bool dropWhenIdle = false;
    QList<bool> transferFlags;

    bool isConnected() override { return connected; }
    QByteArray receive(int maxWaitMs) override
    {
        if (incoming.isEmpty()) {
            clock += maxWaitMs;
            if (dropWhenIdle || clock > 10 * 60 * 1000) // a test never hangs
                connected = false;
            return {};
        }
        clock += 1;
        return incoming.takeFirst();
    }
    void send(const QByteArray& bytes) override
    {
        sent << bytes;
        if (host)
            host(bytes);
    }
    void setTransferInProgress(bool on) override { transferFlags << on; }
    QByteArray handedBack;
    void putBack(const QByteArray& bytes) override { handedBack += bytes; }

    void feed(const QByteArray& bytes, int chunk)
    {
        for (qsizetype i = 0; i < bytes.size(); i += chunk)
            incoming << bytes.mid(i, chunk);
    }
};

struct Outcome {
    bool ok = false;
    QString name;
    QStringList statuses;
};

Outcome receive(FakeChannel& channel, const QString& dir, bool internet = true)
{
    ObxferReceiver::Options options;
    options.downloadDirectory = dir;
    options.internet = internet;
    ObxferReceiver receiver(channel, options);
    receiver.setClock([&channel] { return channel.clock; });
    Outcome run;
    receiver.setStatus([&run](const QString& s) { run.statuses << s; });
    run.ok = receiver.receive(run.name);
    return run;
}

} // namespace

TEST(ObxferFrames, BuildTakeTypeCheckAndField)
{
    EXPECT_EQ(BuildFrame("NU07"), QByteArray("\x1b\x1b$$NU07\x1b\x1b@@"));

    QByteArray text = "RUN ECHO\r\n" + BuildFrame("IU01") + BuildFrame("UB") + "\x1b\x1b$$UB02";
    EXPECT_EQ(TakeFrame(text), "IU01") << "text before the frame goes with it";
    EXPECT_EQ(TakeFrame(text), "UB");
    const QByteArray partial = text;
    EXPECT_EQ(TakeFrame(text), "");
    EXPECT_EQ(text, partial) << "no complete frame leaves the text alone";
    QByteArray noStart = "abc\x1b\x1b@@";
    EXPECT_EQ(TakeFrame(noStart), "");
    EXPECT_EQ(noStart, QByteArray("abc\x1b\x1b@@"));

    const struct {
        const char* payload;
        int type;
    } types[] = {{"ID", TypeID}, {"IU01", TypeIU}, {"UB017x", TypeUB}, {"CD00", TypeCD},
                 {"NU00", TypeNU}, {"RU05", TypeRU}, {"ub01", TypeOther}, {"U", TypeOther}, {"", TypeOther}};
    for (const auto& t : types)
        EXPECT_EQ(FrameType(t.payload), t.type) << t.payload;

    EXPECT_EQ(CheckDigit(""), 0);
    EXPECT_EQ(CheckDigit("abc"), 4); // 97 + 98 + 99 = 294
    EXPECT_EQ(CheckDigit(QByteArray(3, char(0xff))), 5) << "bytes count unsigned: 765";
    EXPECT_EQ(CheckDigit(QByteArray(1000000, char(0xff))), 0);

    QByteArray fields = "07abc%%%%rest";
    EXPECT_EQ(TakeField(fields, 2), "07");
    EXPECT_EQ(TakeField(fields, 0), "abc");
    EXPECT_EQ(fields, "rest");
    EXPECT_EQ(TakeField(fields, 0), "");
    EXPECT_EQ(fields, "rest");
    EXPECT_EQ(TakeField(fields, 10), "rest");
    EXPECT_EQ(fields, "");
}

TEST(ObxferFrames, AccumulatorCutsAnySplitLikeTakeFrame)
{
    QByteArray stream = "echo DL OB\r\n";
    QList<QByteArray> expected;
    for (int i = 0; i < 40; ++i) {
        // Payloads with ESC, "$$", "@", partial markers: only ESC ESC "@@" ends a frame.
        const QByteArray payload = "UB" + QByteArray::number(i % 100).rightJustified(2, '0') + "0"
            + QByteArray(i, '\x1b') + "$$@\x1b@" + everyByte(i * 37).replace("\x1b\x1b@@", "");
        expected << payload;
        stream += BuildFrame(payload);
        if (i % 5 == 0)
            stream += "ruis\x1b\x1b";
    }
    {
        QByteArray copy = stream;
        QList<QByteArray> byTakeFrame;
        for (QByteArray p; !(p = TakeFrame(copy)).isEmpty();)
            byTakeFrame << p;
        ASSERT_EQ(byTakeFrame, expected);
    }
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 20; ++round) {
        FrameAccumulator acc;
        QList<QByteArray> got;
        for (qsizetype i = 0; i < stream.size();) {
            const int chunk = round == 0 ? 1 : int(random->bounded(1, 200));
            acc.append(stream.mid(i, chunk));
            i += chunk;
            for (QByteArray p; acc.takeFrame(p);)
                got << p;
        }
        EXPECT_EQ(got, expected) << "round " << round;
    }

    // Noise without a frame does not pile up, and a stray end marker changes nothing.
    FrameAccumulator noise;
    QByteArray p;
    for (int i = 0; i < 1000; ++i) {
        noise.append("xxxxxxxxxx\x1b\x1b@@");
        EXPECT_FALSE(noise.takeFrame(p));
    }
    EXPECT_LE(noise.pending(), 3);
    noise.append(BuildFrame("NU01"));
    ASSERT_TRUE(noise.takeFrame(p));
    EXPECT_EQ(p, "NU01");
}

TEST(ObxferReceiver, KeepsEveryByteWhateverTheBlocksAndReads)
{
    const QByteArray content = everyByte(20000);
    const struct {
        int block;
        int readSize;
    } cases[] = {{4096, 100000}, {1000, 1}, {333, 7}, {1, 4096}, {20000, 123}};
    for (const auto& c : cases) {
        test::TestDir dir;
        FakeChannel channel;
        QByteArray wire = "RUN VDCDCLNT\r\n* START DOWNLOAD *\r\n" + header("01", content.size(), "VDCDINFO.ZIP");
        int blocks = 0;
        for (int i = 0; i < content.size(); i += c.block)
            wire += dataBlock(QByteArray::number(++blocks % 100).rightJustified(2, '0'), content.mid(i, c.block));
        wire += dataBlock("99", "");
        channel.feed(wire, c.readSize);

        const Outcome run = receive(channel, dir.path());
        ASSERT_TRUE(run.ok) << c.block << "/" << c.readSize;
        EXPECT_EQ(run.name, "VDCDINFO.ZIP");
        EXPECT_EQ(readFile(dir.file("VDCDINFO.ZIP")), content) << c.block << "/" << c.readSize;
        // One acknowledgement for the header and each data block, all with the header's number.
        EXPECT_EQ(channel.sent, QList<QByteArray>(blocks + 1, BuildFrame("NU01")));
        EXPECT_EQ(channel.transferFlags, (QList<bool>{true, false}));
        EXPECT_EQ(run.statuses.first(), "Ontvangen VDCDINFO.ZIP via OB-XFER, totaal 20000 Bytes");
        EXPECT_EQ(run.statuses.last(), "Bestand is succesvol gedownload");
        EXPECT_EQ(run.statuses[run.statuses.size() - 2], "Ontvangen VDCDINFO.ZIP via OB-XFER, 100% gereed...");
    }
}

TEST(ObxferReceiver, ModemHeaderTextAndShortTransfer)
{
    test::TestDir dir;
    FakeChannel channel;
    // The host announces more than it sends: the file holds what came, not zeros.
    // The host's next line came in the same read as the end block: it goes back to the link.
    channel.feed(header("03", 10, "A.ZIP") + dataBlock("04", "abcd"), 5);
    channel.incoming << dataBlock("05", "") + "\r\n* DOWNLOAD OK: A.ZIP\r\n";
    const Outcome run = receive(channel, dir.path(), /*internet=*/false);
    EXPECT_EQ(channel.handedBack, "\r\n* DOWNLOAD OK: A.ZIP\r\n");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.statuses, (QStringList{"Ontvangen A.ZIP, totaal 10 Bytes",
                                         "Ontvangen A.ZIP via OB-XFER, 40% gereed...",
                                         "Bestand is succesvol gedownload"}));
    EXPECT_EQ(readFile(dir.file("A.ZIP")), "abcd");
    EXPECT_EQ(channel.sent, (QList<QByteArray>{BuildFrame("NU03"), BuildFrame("NU03")}));
}

TEST(ObxferReceiver, BadCheckDigitsAreRepeatedUntilTheFiftyFirst)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    const QByteArray good = "goede data";

    // One bad block answered with RU and its number; the good repeat resets the count.
    {
        FakeChannel channel;
        channel.feed(header("01", good.size() * 2, "X.ZIP") + dataBlock("02", good, 3), 1000);
        channel.host = [&](const QByteArray& sent) {
            if (sent == BuildFrame("RU02"))
                channel.incoming << dataBlock("02", good) << dataBlock("03", good) << dataBlock("04", "");
        };
        const Outcome run = receive(channel, dir.path());
        ASSERT_TRUE(run.ok);
        EXPECT_EQ(channel.sent, (QList<QByteArray>{BuildFrame("NU01"), BuildFrame("RU02"), BuildFrame("NU01"),
                                                   BuildFrame("NU01")}));
        EXPECT_EQ(readFile(dir.file("X.ZIP")), good + good);
    }

    // 50 bad in a row are repeated; a good one in between starts counting again; the
    // 51st in a row cancels with CD, the message and the status; the partial file stays.
    {
        FakeChannel channel;
        channel.feed(header("01", 100, "Y.ZIP") + dataBlock("02", good) + dataBlock("07", good, 1), 1000);
        int repeats = 0;
        channel.host = [&](const QByteArray& sent) {
            if (sent == BuildFrame("RU07")) {
                ++repeats; // the 39th repeat comes good, all others bad
                channel.incoming << dataBlock("07", good, repeats == 39 ? 0 : 1);
            } else if (sent == BuildFrame("NU01") && repeats == 39) {
                channel.incoming << dataBlock("07", good, 1);
            }
        };
        ui.expectMessage(MsgAnswer::Ok);
        const Outcome run = receive(channel, dir.path());
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(channel.sent.count(BuildFrame("RU07")), 39 + 50);
        EXPECT_EQ(channel.sent.last(), BuildFrame("CD07"));
        ASSERT_EQ(ui.messages().size(), 1);
        EXPECT_EQ(ui.messages()[0].text, "Er zijn teveel fouten tijdens de download ontstaan!");
        EXPECT_EQ(ui.messages()[0].title, "OB-XFER download");
        EXPECT_EQ(ui.messages()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(run.statuses.last(), "Te veel fouten tijdens download opgetreden, update afgebroken");
        EXPECT_EQ(readFile(dir.file("Y.ZIP")).left(good.size() * 2), good + good);
        EXPECT_EQ(channel.transferFlags.last(), false);
    }
}

TEST(ObxferReceiver, SilenceAsksAgainWithTheLastBlockNumber)
{
    test::TestDir dir;
    FakeChannel channel;
    channel.feed(header("01", 8, "S.ZIP") + dataBlock("02", "abcd"), 1000);
    int silences = 0;
    channel.host = [&](const QByteArray& sent) {
        if (channel.sent.size() == 3) { // after the 30 s NU: a bad block
            ++silences;
            channel.incoming << dataBlock("03", "efgh", 5);
        } else if (channel.sent.size() == 5) { // after the next 30 s RU: the rest
            ++silences;
            channel.incoming << dataBlock("03", "efgh") << dataBlock("04", "");
        }
        (void)sent;
    };
    const Outcome run = receive(channel, dir.path());
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(silences, 2);
    // The regular acknowledgement carries the header's number; the silence ones the last
    // block's, NU while nothing was wrong and RU after a bad block.
    EXPECT_EQ(channel.sent, (QList<QByteArray>{BuildFrame("NU01"), BuildFrame("NU01"), BuildFrame("NU02"),
                                               BuildFrame("RU03"), BuildFrame("RU03"), BuildFrame("NU01")}));
    EXPECT_GE(channel.clock, 60000);
    EXPECT_EQ(readFile(dir.file("S.ZIP")), "abcdefgh");
}

TEST(ObxferReceiver, LostConnectionDeletesThePartialFileSilently)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    FakeChannel channel;
    channel.dropWhenIdle = true;
    channel.feed(header("01", 100, "L.ZIP") + dataBlock("02", "half"), 3);
    const Outcome run = receive(channel, dir.path());
    EXPECT_FALSE(run.ok);
    EXPECT_FALSE(QFile::exists(dir.file("L.ZIP")));
    EXPECT_TRUE(ui.messages().isEmpty());
    EXPECT_EQ(channel.transferFlags.last(), false);
}

TEST(ObxferReceiver, RefusesFileNamesThatLeaveTheDownloadDirectory)
{
    test::TestDir root;
    const QString downloads = root.file("download");
    QDir().mkpath(downloads);
    for (const char* name : {"../x", "", "sub/x", "..\\x", "C:x", "..", "/tmp/vandrel-obxfer-x", "a\tb"}) {
        test::ScriptedUi ui;
        ui.expectMessage(MsgAnswer::Ok);
        FakeChannel channel;
        channel.feed(header("01", 4, name) + dataBlock("02", "kwad") + dataBlock("03", ""), 1000);
        const Outcome run = receive(channel, downloads + "/");
        EXPECT_FALSE(run.ok) << name;
        EXPECT_EQ(channel.sent, QList<QByteArray>{BuildFrame("CD01")}) << name;
        ASSERT_EQ(ui.messages().size(), 1) << name;
        EXPECT_EQ(ui.messages()[0].text, "Het te downloaden bestand kan niet worden aangemaakt of overschreven!");
        EXPECT_EQ(run.statuses.last(), "Bestandsfout tijdens download, update afgebroken");
        EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                  QStringList{"download"})
            << name;
        EXPECT_TRUE(QDir(downloads).isEmpty()) << name;
    }
    EXPECT_FALSE(QFile::exists("/tmp/vandrel-obxfer-x"));
}

TEST(ObxferReceiver, IgnoresStrayFramesAndMissingFolder)
{
    test::TestDir dir;
    {
        // Data before the header and a second header are ignored; ID and unknown types too.
        FakeChannel channel;
        channel.feed(dataBlock("01", "vooraf") + BuildFrame("ID") + header("01", 3, "H.ZIP")
                         + header("02", 9, "ANDER.ZIP") + BuildFrame("XX??") + BuildFrame("")
                         + dataBlock("02", "abc") + dataBlock("03", ""),
                     11);
        const Outcome run = receive(channel, dir.path());
        ASSERT_TRUE(run.ok);
        EXPECT_EQ(run.name, "H.ZIP");
        EXPECT_EQ(readFile(dir.file("H.ZIP")), "abc");
        EXPECT_FALSE(QFile::exists(dir.file("ANDER.ZIP")));
    }
    {
        test::ScriptedUi ui;
        ui.expectMessage(MsgAnswer::Ok);
        FakeChannel channel;
        channel.feed(header("01", 3, "H.ZIP"), 100);
        const Outcome run = receive(channel, dir.file("bestaat-niet") + "/");
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(ui.messageTexts(),
                  QStringList{"Het te downloaden bestand kan niet worden aangemaakt of overschreven!"});
    }
}
