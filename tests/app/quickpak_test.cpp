#include "app/core/quickpak.h"

#include "app/core/locations.h"
#include "testdir.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vandrel;
using namespace vandrel::quickpak;

namespace {

class FileServices : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir_.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    static QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir dir_;
};

struct ShareCase {
    int firstAccess, firstShare, secondAccess, secondShare;
    bool secondOpens;
};

} // namespace

TEST_F(FileServices, ShareModesAreEnforcedBetweenHandles)
{
    const QString name = write("doc.vdb", "inhoud");
    const ShareCase cases[] = {
        {2, 2, 2, 2, false}, // the document window's mode, twice
        {2, 2, 0, 0, true},  // a reader next to a holder that only denies writing
        {2, 2, 1, 4, false}, {0, 0, 0, 0, true},
        {0, 0, 2, 2, true},  {1, 4, 0, 2, false}, // denying write while someone already writes
        {0, 1, 0, 0, false},                      // deny all
        {0, 3, 1, 4, true},                       // deny read lets a writer in
        {0, 3, 0, 4, false}, {0, 4, 2, 4, true},
    };
    for (const ShareCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.firstAccess << "," << c.firstShare << " then "
                                        << c.secondAccess << "," << c.secondShare);
        int first = 0, second = 0;
        FOpenAll(name, c.firstAccess, c.firstShare, first);
        ASSERT_NE(first, 0);
        FOpenAll(name, c.secondAccess, c.secondShare, second);
        EXPECT_EQ(second != 0, c.secondOpens);
        if (!c.secondOpens) {
            EXPECT_EQ(DOSError(), -1);
            EXPECT_EQ(WhichError(), fileerror::PermissionDenied);
        }
        FClose(second);
        FClose(first);
    }
}

TEST_F(FileServices, SecondWriterFailsWithDutchMessageUntilTheFirstCloses)
{
    const QString name = write("order.vdb", "ref\r\n");
    int first = 0, second = 0;
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, first);
    ASSERT_EQ(DOSError(), 0);
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, second);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(ErrorMsg(WhichError()),
              QStringLiteral("Toegang geweigerd, het bestand is in gebruik"));

    // Emptying, cutting or deleting it is writing too, and leaves it intact.
    FCreate(name);
    EXPECT_EQ(WhichError(), fileerror::PermissionDenied);
    ClipFile(name, 0);
    EXPECT_EQ(WhichError(), fileerror::PermissionDenied);
    KillFile(name);
    EXPECT_EQ(WhichError(), fileerror::PermissionDenied);
    EXPECT_EQ(read(name), QByteArray("ref\r\n"));

    FClose(first);
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, second);
    EXPECT_NE(second, 0);
    FClose(second);
}

TEST_F(FileServices, AnotherProcessHoldingTheFileIsSeen)
{
    const QString name = write("shared.vdb", "x");
    int ready[2], done[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int handle = 0;
        FOpenAll(name, AccessReadWrite, ShareDenyWrite, handle);
        const char ok = handle != 0 ? 'y' : 'n';
        (void)!::write(ready[1], &ok, 1);
        char wait = 0;
        (void)!::read(done[0], &wait, 1);
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');

    int handle = 0;
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, handle);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(WhichError(), fileerror::PermissionDenied);
    FOpenAll(name, AccessRead, ShareCompatibility, handle);
    EXPECT_NE(handle, 0);
    FClose(handle);

    (void)!::write(done[1], "x", 1);
    int status = 0;
    ::waitpid(child, &status, 0);
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, handle);
    EXPECT_NE(handle, 0);
    FClose(handle);
    for (int fd : {ready[0], ready[1], done[0], done[1]})
        ::close(fd);
}

namespace {
struct LineCase {
    const char* what;
    QByteArray bytes;
    int bufferSize;
    QList<QByteArray> lines;
};
} // namespace

TEST_F(FileServices, LineInputSplitsAtLineEndsAndStopsAtCtrlZ)
{
    const QByteArray big(65534, 'x');
    const LineCase cases[] = {
        {"order without lines",
         "ref\r\n10-12-2026\r\n\r\nTrue\r\x1a",
         128,
         {"ref", "10-12-2026", "", "True"}},
        {"final CR LF, then marker", "7,50\r\n5,10\r\n\x1a", 128, {"7,50", "5,10"}},
        {"physical end without line end", "a\r\nb", 128, {"a", "b"}},
        {"CR at the physical end", "a\r\nb\r", 128, {"a", "b"}},
        {"lone LF and lone CR", "a\nb\rc\r\n", 128, {"a", "b\rc"}},
        {"marker inside a line",
         "abc\x1a"
         "def\r\n",
         128,
         {"abc"}},
        {"empty file", "", 128, {}},
        {"long line cut, next line intact",
         QByteArray(100, 'q') + "\r\nnext\r\n",
         64,
         {QByteArray(64, 'q'), "next"}},
        {"buffer size limited to 64", QByteArray(70, 'q') + "\r\n", 10, {QByteArray(64, 'q')}},
        // CR as the last byte of the read-ahead, LF as the first of the next.
        {"CR LF across the read-ahead",
         QByteArray(65535, 'x') + "\r\ny",
         4096,
         {QByteArray(4096, 'x'), "y"}},
        {"marker just past the read-ahead", big + "\r\n\x1a", 4096, {QByteArray(4096, 'x')}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = write("lines.txt", c.bytes);
        int h = 0;
        FOpenAll(name, AccessRead, ShareCompatibility, h);
        ASSERT_NE(h, 0);
        QList<QByteArray> got;
        while (FEof(h) == 0 && got.size() < 10)
            got.append(FLInput(h, c.bufferSize));
        EXPECT_EQ(got, c.lines);
        EXPECT_EQ(FLInput(h, c.bufferSize), QByteArray());
        EXPECT_EQ(WhichError(), fileerror::InputPastEnd);
        FClose(h);
        EXPECT_EQ(LineCount(name, c.bufferSize), c.lines.size());
    }
}

TEST_F(FileServices, BinaryGetPutSeekAndLength)
{
    const QString name = file("data.bin");
    FCreate(name);
    ASSERT_EQ(DOSError(), 0);
    int h = 0;
    FOpenAll(name, AccessReadWrite, ShareDenyWrite, h);
    FPut(h, "Hello");
    FSeek(h, FLof(h)); // appends
    FPut(h, QByteArray(" world\0!", 8));
    EXPECT_EQ(FLof(h), 13);
    EXPECT_EQ(FileSize(name), 13);

    FSeek(h, 0);
    QByteArray buffer(5, '\0');
    FGet(h, buffer);
    EXPECT_EQ(buffer, QByteArray("Hello"));
    EXPECT_EQ(FEof(h), 0);
    buffer = QByteArray(20, '\0');
    FGet(h, buffer);
    EXPECT_EQ(buffer, QByteArray(" world\0!", 8)); // cut to what was there
    EXPECT_EQ(WhichError(), fileerror::InputPastEnd);
    EXPECT_EQ(FEof(h), -1);
    FSeek(h, -1);
    EXPECT_EQ(WhichError(), fileerror::IllegalFunctionCall);
    FClose(h);

    int reader = 0, writer = 0;
    FOpenAll(name, AccessRead, ShareDenyNone, reader);
    FPut(reader, "x");
    EXPECT_EQ(WhichError(), fileerror::BadFileMode);
    FOpenAll(name, AccessWrite, ShareDenyNone, writer);
    buffer = QByteArray(1, '\0');
    FGet(writer, buffer);
    EXPECT_EQ(WhichError(), fileerror::BadFileMode);
    FClose(reader);
    FClose(writer);
    EXPECT_EQ(read(name), QByteArray("Hello world\0!", 13));
}

TEST_F(FileServices, LinesReadAfterAWriteThroughAnotherHandleAreFresh)
{
    const QString name = write("shared.txt", "aaa\r\nbbb\r\n");
    int reader = 0, writer = 0;
    FOpenAll(name, AccessRead, ShareDenyNone, reader);
    FOpenAll(name, AccessReadWrite, ShareDenyNone, writer);
    EXPECT_EQ(FLInput(reader, 128), QByteArray("aaa"));
    FSeek(writer, 5);
    FPut(writer, "ccc");
    EXPECT_EQ(FLInput(reader, 128), QByteArray("ccc"));
    FClose(reader);
    FClose(writer);
}

TEST_F(FileServices, FailuresGiveTheirErrorNumberAndText)
{
    write("present.txt", "x");
    ::mkfifo(QFile::encodeName(file("pipe")).constData(), 0600);
    struct Case {
        QString name;
        int access, share, error;
    };
    const Case cases[] = {
        {file("missing.txt"), 0, 0, fileerror::FileNotFound},
        {file("nodir/missing.txt"), 0, 0, fileerror::PathNotFound},
        {dir_.path(), 0, 0, fileerror::PathFileAccessError},
        {file("pipe"), 0, 0, fileerror::PathFileAccessError}, // must not hang
        {QString(), 0, 0, fileerror::BadFileName},
        {file("present.txt"), 7, 0, fileerror::BadFileMode},
        {file("present.txt"), 0, 5, fileerror::BadFileMode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        int h = 99;
        FOpenAll(c.name, c.access, c.share, h);
        EXPECT_EQ(h, 0);
        EXPECT_EQ(DOSError(), -1);
        EXPECT_EQ(WhichError(), c.error);
        // Handle 0 after a failed open keeps the open's error for the message.
        FSeek(h, 0);
        EXPECT_EQ(WhichError(), c.error);
    }
    FClose(42);
    EXPECT_EQ(WhichError(), fileerror::BadFileNumber);
    EXPECT_EQ(FEof(42), -1); // a read loop on a bad handle ends

    QSet<QString> texts;
    for (int n : {5, 52, 53, 54, 57, 61, 62, 64, 67, 68, 70, 75, 76})
        texts.insert(ErrorMsg(n));
    EXPECT_EQ(texts.size(), 13);
    EXPECT_EQ(ErrorMsg(fileerror::FileNotFound), QStringLiteral("Bestand niet gevonden"));
    EXPECT_TRUE(ErrorMsg(999).contains(QStringLiteral("999")));
}

TEST_F(FileServices, CreateClipExistKill)
{
    const QString name = write("pic.tmp", "old content");
    FCreate(name);
    EXPECT_EQ(FileSize(name), 0);
    ClipFile(name, 1000); // sets the length of a picture file before it is written
    EXPECT_EQ(FileSize(name), 1000);
    ClipFile(name, 3);
    EXPECT_EQ(read(name), QByteArray(3, '\0'));
    ClipFile(file("missing"), 3);
    EXPECT_EQ(WhichError(), fileerror::FileNotFound);

    EXPECT_EQ(Exist(name), -1);
    EXPECT_EQ(Exist(file("missing")), 0);
    EXPECT_EQ(Exist(dir_.path()), 0);
    KillFile(name);
    EXPECT_EQ(DOSError(), 0);
    EXPECT_EQ(Exist(name), 0);
    KillFile(name);
    EXPECT_EQ(WhichError(), fileerror::FileNotFound);
    EXPECT_EQ(FileSize(name), -1);
}

TEST_F(FileServices, CopyKeepsBytesModeAndTimeAndReportsFailures)
{
    const QString source = write("Vandrel Catalogus.exe", QByteArray(200000, 'p') + "end");
    ::chmod(QFile::encodeName(source).constData(), 0755);
    QFile(source).setFileTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)),
                              QFileDevice::FileModificationTime);
    const QString target = write("Vandrel Catalogus.old", "something longer than nothing");
    int code = -1;
    FCopy(source, target, code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(read(target), read(source));
    EXPECT_EQ(QFileInfo(target).permissions(), QFileInfo(source).permissions());
    EXPECT_EQ(QFileInfo(target).lastModified(), QFileInfo(source).lastModified());

    FCopy(file("missing.exe"), target, code);
    EXPECT_EQ(code, fileerror::FileNotFound);
    FCopy(source, file("nodir/x.old"), code);
    EXPECT_EQ(code, fileerror::PathNotFound);
    FCopy(source, source, code); // would empty the source
    EXPECT_GT(code, 0);
    EXPECT_EQ(FileSize(source), 200003);
}

TEST_F(FileServices, NamesAsTheProgramWritesThemFindTheFile)
{
    QDir(dir_.path()).mkdir("Digital");
    const QString real = write("Digital/VDCDROM4.mdb", "db");
    const QString asWritten = dir_.path() + "\\DIGITAL\\vdcdrom4.MDB";
    EXPECT_EQ(localPath(asWritten), real);
    EXPECT_EQ(Exist(asWritten), -1);
    EXPECT_EQ(FileSize(asWritten), 2);
    // Creating under another letter case empties the one file instead of adding one.
    FCreate(dir_.path() + "/digital/VDCDROM4.MDB");
    EXPECT_EQ(QDir(file("Digital")).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(FileSize(real), 0);
    // A new name keeps the spelling it was given.
    EXPECT_EQ(localPath(dir_.path() + "\\Digital\\New.txt"), file("Digital/New.txt"));
}

TEST(QuickPakNames, ValidTellsFileNames)
{
    const struct {
        QString name;
        int valid;
    } cases[] = {
        {"/data/VD-CLNT4.MDB", -1},
        {"orders\\order 1.vdb", -1},
        {"", 0},
        {"   ", 0},
        {"a*.vdb", 0},
        {"a?.vdb", 0},
        {"/data/", 0},
        {QString("a") + QChar(1), 0},
        {QString(256, 'n'), 0},
        {QString(255, 'n'), -1},
        {"/data/..", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Valid(c.name), c.valid) << c.name.toStdString();
}

TEST(QuickPakStrings, PositionsCountFromOne)
{
    const QByteArray text = "@0123456|Knie 22 mm@0200000|knie 15 MM@";
    EXPECT_EQ(QInstr(1, text, "Knie"), 10);
    EXPECT_EQ(QInstr(11, text, "Knie"), 0);
    EXPECT_EQ(QInstr(0, text, "@"), 1);
    EXPECT_EQ(QInstr(1, text, ""), 0);
    EXPECT_EQ(QInstr(100, text, "@"), 0);
    EXPECT_EQ(QInstr2(11, text, "KNIE"), 29);
    EXPECT_EQ(QInstr2(1, text, "mm@0"), 18);
    // Windows-1252 letters: É (201) and é (233), Ÿ (159) and ÿ (255).
    EXPECT_EQ(QInstr2(1, QByteArray("caf\xC9 \x9F"), QByteArray("\xE9 \xFF")), 4);
    EXPECT_EQ(QInstr2(1, QByteArray("\xD7"), QByteArray("\xF7")), 0); // × is no letter
    EXPECT_EQ(QInstr2(1, QStringLiteral("Één"), QStringLiteral("één")), 1);

    EXPECT_EQ(QInstrB(-1, text, "@"), 39);
    EXPECT_EQ(QInstrB(38, text, "@"), 20);
    EXPECT_EQ(QInstrB(28, text, "|"), 28); // a match starting at start counts
    EXPECT_EQ(QInstrB(38, text, "MM@"), 37);
    EXPECT_EQ(QInstrB(36, text, "MM@"), 0);
    EXPECT_EQ(QInstrB(-1, text, "x"), 0);
    EXPECT_EQ(QInstrB(-1, QString("a|b|c"), QString("|")), 4);

    EXPECT_EQ(InstrTbl(1, text, "|@"), 1);
    EXPECT_EQ(InstrTbl(2, text, "|@"), 9);
    EXPECT_EQ(InstrTblB(-1, QByteArray("a b,c"), " ,"), 4);
    EXPECT_EQ(InstrTblB(3, QByteArray("a b,c"), " ,"), 2);
    EXPECT_EQ(InstrTbl(1, QByteArray("abc"), ""), 0);
    EXPECT_EQ(InCountTbl(text, "@|"), 5);
    EXPECT_EQ(InCountTbl(QString("1.234,50"), QString(".,")), 2);

    QByteArray path = "C:\\DATA\\";
    ReplaceChar(path, '\\', '/');
    EXPECT_EQ(path, QByteArray("C:/DATA/"));
    EXPECT_EQ(QPTrim(QByteArray(" \0 abc  \0", 9)), QByteArray("abc"));
    EXPECT_EQ(QPTrim(QString(" \tx ")), QString("\tx"));
    EXPECT_EQ(TrimZStr(QByteArray("C:\\WINDOWS\0junk", 15)), QByteArray("C:\\WINDOWS"));
    EXPECT_EQ(TrimZStr(QString("abc")), QString("abc"));
}

TEST(QuickPakSystem, ReadingsComeFromThisMachine)
{
    test::TestDir dir;
    EXPECT_EQ(WinDir(), locations::windowsDirectory());
    EXPECT_EQ(TrimZStr(WinDir()), QDir::toNativeSeparators(QDir::cleanPath(dir.path())));
    EXPECT_EQ(QFileInfo(ExeName()).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());

    const qint64 room = DiskRoom(dir.path());
    const qint64 expected = QStorageInfo(dir.path()).bytesAvailable();
    EXPECT_GT(room, 0);
    EXPECT_NEAR(double(room), double(expected), 64.0 * 1024 * 1024);
    EXPECT_NEAR(double(DiskRoom(dir.file("not/yet/there.txt"))), double(room), 64.0 * 1024 * 1024);

    const qint64 free = Fre(-1);
    EXPECT_GT(free, 0);
    const int resources = GetSystemResources();
    EXPECT_GT(resources, 0);
    EXPECT_LE(resources, 100);
#if defined(__x86_64__)
    EXPECT_EQ(GetCPU(), 686);
#endif
}

TEST(QuickPakSystem, TrapintLimits)
{
    EXPECT_EQ(Trapint(10, 64, 4096), 64);
    EXPECT_EQ(Trapint(5000, 64, 4096), 4096);
    EXPECT_EQ(Trapint(128, 64, 4096), 128);
    EXPECT_EQ(Trapint(-5, -10, -1), -5);
    EXPECT_EQ(Trapint(7, 10, 5), 10); // low wins when the limits cross
}

TEST(QuickPakCipher, IsItsOwnInverseForEveryLength)
{
    QRandomGenerator random(20240501);
    const QByteArray key = "tmr8;1";
    for (int length = 0; length <= 300; ++length) {
        QByteArray plain(length, '\0');
        for (char& c : plain)
            c = char(random.bounded(256));
        QByteArray text = plain;
        Encrypt2(text, key);
        ASSERT_EQ(text.size(), length);
        for (int i = 0; i < length; ++i)
            ASSERT_NE(text[i], plain[i]) << "length " << length << " byte " << i;
        Encrypt2(text, key);
        ASSERT_EQ(text, plain) << "length " << length;
    }
}

TEST(QuickPakCipher, StoredTextDoesNotReadPlainly)
{
    const QByteArray plain = "0201234567          aaaaaaaa>>VIA INTERNET<<";
    QByteArray text = plain;
    Encrypt2(text, "tmr8;1");
    for (int i = 0; i < text.size(); ++i)
        EXPECT_GE(static_cast<unsigned char>(text[i]), 128) << i;
    // Not one substitution for all positions: the run of blanks and of a's differs.
    EXPECT_GT(QSet<char>(text.begin() + 10, text.begin() + 20).size(), 3);

    QByteArray other = plain;
    Encrypt2(other, "tmr8;2");
    EXPECT_NE(other, text);
    Encrypt2(other, "tmr8;1");
    EXPECT_NE(other, plain);
}
