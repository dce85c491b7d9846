#include "app/core/percform.h"
#include "exchange/ziparchive.h"
#include "exchange/zipcommand.h"
#include "exchange/zipprogresswindow.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>
#include <zip.h>

using namespace vandrel;

namespace {

struct RecordingEvents final : ZipEvents {
    QStringList log;
    QList<int> percents;
    QList<int> errorCodes;
    void started() override { log << "started"; }
    void compressing(const QString& n) override { log << "compressing " + n; }
    void decompressing(const QString& n) override { log << "decompressing " + n; }
    void progress(int p) override { percents << p; }
    void complete() override { log << "complete"; }
    void error(int code, const QString& text) override
    {
        errorCodes << code;
        log << "error " + text;
    }
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// An archive with exactly these entry names and contents, stored or deflated.
void makeArchive(const QString& path, const QList<std::pair<QByteArray, QByteArray>>& entries,
                 bool deflate = true)
{
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, data] : entries) {
        zip_source_t* s = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(z, name.constData(), s, ZIP_FL_ENC_RAW);
        ASSERT_GE(index, 0) << name.constData();
        zip_set_file_compression(z, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

QStringList filesUnder(const QString& dir)
{
    QStringList names;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(dir).relativeFilePath(it.next());
    names.sort();
    return names;
}

} // namespace

TEST(ZipCommandParse, FieldsOperationsAndSwitches)
{
    // "ZIP" in capitals; folder + bare name gets the dot; a name with a dot is kept; empty
    // fields (two TABs) are dropped.
    auto zip = parseZipCommand("ZIP\t/a/b.zip\t\t/data/README\t/data/x.txt\tbare.txt\tC:\\w\\LEESMIJ");
    ASSERT_TRUE(zip);
    EXPECT_EQ(zip->operation, ZipRequest::Operation::Zip);
    EXPECT_EQ(zip->archive, "/a/b.zip");
    ASSERT_EQ(zip->adds.size(), 4);
    EXPECT_EQ(zip->adds[0].sourceFolder, "/data");
    EXPECT_EQ(zip->adds[0].spec, "README.");
    EXPECT_EQ(zip->adds[1].spec, "x.txt");
    EXPECT_EQ(zip->adds[2].sourceFolder, "");
    EXPECT_EQ(zip->adds[2].spec, "bare.txt");
    EXPECT_EQ(zip->adds[3].sourceFolder, "C:\\w");
    EXPECT_EQ(zip->adds[3].spec, "LEESMIJ.");

    auto unzip = parseZipCommand("UnZip\t/d/VDCDINFO.ZIP\t/d/\t*.*\tvdcdinfo\t-O");
    ASSERT_TRUE(unzip);
    EXPECT_EQ(unzip->operation, ZipRequest::Operation::Unzip);
    EXPECT_EQ(unzip->targetDirectory, "/d/");
    EXPECT_EQ(unzip->specs, (QStringList{"*.*", "vdcdinfo"}));
    EXPECT_TRUE(unzip->overwrite);

    // "-o" only counts as the last field.
    auto notLast = parseZipCommand("unzip\ta.zip\t/d\t-o\tx.txt");
    ASSERT_TRUE(notLast);
    EXPECT_FALSE(notLast->overwrite);
    EXPECT_EQ(notLast->specs, (QStringList{"-o", "x.txt"}));

    auto onlyOverwrite = parseZipCommand("unzip\ta.zip\t/d\t-o");
    ASSERT_TRUE(onlyOverwrite);
    EXPECT_TRUE(onlyOverwrite->overwrite);
    EXPECT_EQ(onlyOverwrite->specs, QStringList{"*"});

    for (const char* bad : {"", "\t\t", "zipx\ta.zip", "pack\ta.zip\tb", " zip\ta.zip"})
        EXPECT_FALSE(parseZipCommand(QString::fromLatin1(bad))) << bad;
}

TEST(ZipCommandParse, FileSpecificationsAndEntryNames)
{
    const struct {
        const char* name;
        const char* spec;
        bool match;
    } specs[] = {
        {"a.txt", "*.*", true},       {"vdcdinfo", "*.*", false},  {"VDCDINFO", "vdcdinfo", true},
        {"README", "README.", true},  {"README.TXT", "README.", false}, {"noext", "*.", true},
        {"x.txt", "*.", false},       {"ab.txt", "a?.TXT", true},  {"a.txt", "a?.txt", false},
        {"grpinfo.txt", "*info*", true}, {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
    };
    for (const auto& c : specs)
        EXPECT_EQ(matchesFileSpec(c.name, c.spec), c.match) << c.name << " ~ " << c.spec;

    const struct {
        const char* entry;
        const char* path; // empty: refused
    } names[] = {
        {"a.txt", "a.txt"},   {"sub/a.txt", "sub/a.txt"}, {"sub\\a.txt", "sub/a.txt"},
        {"./a.txt", "a.txt"}, {"../x", ""},              {"a/../../x", ""},
        {"a/..", ""},         {"/etc/x", ""},            {"\\x", ""},
        {"C:x", ""},          {"c:\\w\\x", ""},          {"", ""},
        {"./", ""},
    };
    for (const auto& c : names)
        EXPECT_EQ(safeEntryPath(c.entry), QString::fromLatin1(c.path)) << c.entry;
}

TEST(ZipCommand, UnknownOperationDoesNothing)
{
    RecordingEvents events;
    EXPECT_FALSE(ZipCommand("pak\tx.zip\ty", events));
    EXPECT_TRUE(events.log.isEmpty());
}

TEST(ZipCommand, ZipThenUnzipAsTheUpdateDoes)
{
    test::TestDir dir;
    const QString source = dir.file("bron");
    writeFile(source + "/ARTINFO.TXT", "artikelen\r\n");
    writeFile(source + "/GRPINFO.TXT", QByteArray(300000, 'g'));
    writeFile(source + "/README", "lees mij");
    writeFile(source + "/README.TXT", "niet mee");
    writeFile(source + "/vdcdinfo", "geen extensie");
    const QString archive = dir.file("VDCDINFO.ZIP");

    RecordingEvents packing;
    ASSERT_TRUE(ZipCommand("zip\t" + archive + "\t" + source + "/*INFO.TXT\t" + source + "/README\t"
                               + source + "/vdcdinfo",
                           packing));
    EXPECT_TRUE(packing.errorCodes.isEmpty()) << packing.log.join('\n').toStdString();
    // One run per file field, each with its own start and end.
    EXPECT_EQ(packing.log.count("started"), 3);
    EXPECT_EQ(packing.log.count("complete"), 3);
    EXPECT_TRUE(packing.log.contains("compressing README"));
    EXPECT_FALSE(packing.log.contains("compressing README.TXT")) << "README. names only README";
    EXPECT_TRUE(packing.log.contains("compressing GRPINFO.TXT"));

    // Unpack over an older copy: "*.*" takes the files with an extension, "vdcdinfo" the
    // one without (README, without a dot, stays in the archive); "-o" replaces what is there.
    const QString target = dir.file("doel");
    writeFile(target + "/GRPINFO.TXT", "oud");
    RecordingEvents unpacking;
    ASSERT_TRUE(ZipCommand("UNZIP\t" + archive + "\t" + target + "/\t*.*\tvdcdinfo\t-o", unpacking));
    EXPECT_TRUE(unpacking.errorCodes.isEmpty()) << unpacking.log.join('\n').toStdString();
    EXPECT_EQ(filesUnder(target), (QStringList{"ARTINFO.TXT", "GRPINFO.TXT", "vdcdinfo"}));
    EXPECT_EQ(readFile(target + "/GRPINFO.TXT"), QByteArray(300000, 'g'));
    EXPECT_EQ(readFile(target + "/vdcdinfo"), "geen extensie");
    EXPECT_TRUE(QFile::permissions(target + "/vdcdinfo") & QFileDevice::ReadOther)
        << "readable like any new file, not private as its temporary copy was";
    EXPECT_EQ(unpacking.log.first(), "started");
    EXPECT_EQ(unpacking.log.last(), "complete");
    EXPECT_TRUE(unpacking.log.contains("decompressing GRPINFO.TXT"));
    ASSERT_FALSE(unpacking.percents.isEmpty());
    EXPECT_EQ(unpacking.percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(unpacking.percents.begin(), unpacking.percents.end()));

    // Without "-o" an existing file stays as it is, a missing one is written.
    writeFile(target + "/ARTINFO.TXT", "eigen");
    QFile::remove(target + "/vdcdinfo");
    RecordingEvents keep;
    ASSERT_TRUE(ZipCommand("unzip\t" + archive + "\t" + target + "\t*.*\tvdcdinfo", keep));
    EXPECT_EQ(readFile(target + "/ARTINFO.TXT"), "eigen");
    EXPECT_EQ(readFile(target + "/vdcdinfo"), "geen extensie");
    EXPECT_EQ(filesUnder(target).size(), 3) << "no temporary files left behind";
}

TEST(ZipCommand, EntriesOutsideTheTargetAreRefusedAndNothingIsWritten)
{
    test::TestDir dir;
    const QString target = dir.file("doel/binnen");
    QDir().mkpath(target);
    for (const QByteArray& evil : {QByteArray("../x"), QByteArray("/tmp/vandrel-zip-escape"),
                                   QByteArray("sub\\..\\..\\x"), QByteArray("C:\\x")}) {
        const QString archive = dir.file("kwaad.zip");
        makeArchive(archive, {{"goed.txt", "goed"}, {evil, "kwaad"}});
        RecordingEvents events;
        ASSERT_TRUE(ZipCommand("unzip\t" + archive + "\t" + target + "\t*\t-o", events));
        EXPECT_EQ(events.errorCodes, QList<int>{ZIP_ER_INVAL}) << evil.constData();
        EXPECT_TRUE(events.log.filter("buiten de doelmap").size() == 1) << events.log.join('\n').toStdString();
        EXPECT_EQ(events.log.last(), "complete");
        EXPECT_TRUE(filesUnder(dir.file("doel")).isEmpty()) << evil.constData();
        EXPECT_FALSE(QFile::exists(dir.file("x")));
        EXPECT_FALSE(QFile::exists("/tmp/vandrel-zip-escape"));
    }
}

TEST(ZipCommand, DamagedArchiveChangesNothing)
{
    test::TestDir dir;
    const QString target = dir.file("doel");
    writeFile(target + "/VDCDINFO", "vorige");

    // A flipped byte in stored data fails the checksum only after the first entry was
    // read whole: still nothing may be put in place.
    const QString archive = dir.file("stuk.zip");
    makeArchive(archive, {{"ARTINFO.TXT", QByteArray(5000, 'a')}, {"VDCDINFO", QByteArray(5000, 'v')}},
                /*deflate=*/false);
    QByteArray bytes = readFile(archive);
    const qsizetype at = bytes.indexOf(QByteArray(100, 'v'));
    ASSERT_GT(at, 0);
    bytes[at + 50] = 'w';
    writeFile(archive, bytes);

    const struct {
        const char* what;
        QByteArray content;
    } cases[] = {
        {"checksum", bytes},
        {"truncated", bytes.left(bytes.size() / 2)},
        {"not an archive", "PK\x03\x04 dit is geen zip"},
    };
    for (const auto& c : cases) {
        writeFile(archive, c.content);
        RecordingEvents events;
        ASSERT_TRUE(ZipCommand("unzip\t" + archive + "\t" + target + "\t*.*\tvdcdinfo\t-o", events));
        EXPECT_EQ(events.errorCodes.size(), 1) << c.what;
        EXPECT_EQ(filesUnder(target), QStringList{"VDCDINFO"}) << c.what;
        EXPECT_EQ(readFile(target + "/VDCDINFO"), "vorige") << c.what;
    }
}

TEST(ZipProgressWindow, ShowsTheErrorWithItsCodeAndTitle)
{
    test::TestDir dir;
    test::ScriptedUi ui;
    ui.expectMessage(MsgAnswer::Ok);
    const QString missing = dir.file("weg.zip");
    ZipProgressWindow window;
    ASSERT_TRUE(ZipCommand("unzip\t" + missing + "\t" + dir.path() + "\t*.*", window));
    EXPECT_TRUE(window.failed());
    EXPECT_EQ(window.form(), nullptr) << "the progress window is gone after the run";
    ASSERT_EQ(ui.messages().size(), 1);
    const Message& m = ui.messages().first();
    EXPECT_EQ(m.title, "Bestand (de)compressie");
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.text, "Er is een fout opgetreden tijdens de bestands (de)compressie, code 9: "
                      "Bestand niet gevonden: "
                          + QDir::toNativeSeparators(missing));
}

TEST(ZipProgressWindow, FollowsTheEventsInTheProgressWindow)
{
    ZipProgressWindow window;
    window.started();
    ASSERT_NE(window.form(), nullptr);
    EXPECT_EQ(window.form()->windowTitle(), "Bestands (de)compressie gestart...");
    EXPECT_TRUE(window.form()->isVisible());
    window.decompressing("VDCDINFO");
    window.progress(42);
    EXPECT_EQ(window.form()->label(), "Decompressing: VDCDINFO");
    EXPECT_EQ(window.form()->percent(), 42);
    window.compressing("A.TXT");
    EXPECT_EQ(window.form()->label(), "Compressing: A.TXT");
    window.complete();
    EXPECT_EQ(window.form(), nullptr);
    EXPECT_FALSE(window.failed());
}
