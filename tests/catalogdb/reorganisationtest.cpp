#include "catalogdb/catalogreorganisation.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace vandrel;

namespace {

struct RecordingMeter final : ProgressMeter {
    QStringList labels;
    QList<int> percents;
    void open(const QString&, const QString& l) override { labels << l; }
    void setLabel(const QString& l) override { labels << l; }
    void setPercent(int p) override { percents << p; }
    void refresh() override {}
    void close() override {}
};

class ReorganisationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildCatalogDatabase(dir.path(), 0);
        auto db = Database::open(catalogFile());
        ASSERT_TRUE(db);
        ASSERT_TRUE(db->tableDef(QStringLiteral("Products"))->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr")));
        // 3000 articles, two thirds of them deleted again: the file keeps the free pages.
        ASSERT_TRUE(db->beginTrans());
        for (int n = 1; n <= 3000; ++n)
            ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, BrutoPrijs) "
                                                   "VALUES (%1, '10200', 'Kogelkraan %1 mm met een lange omschrijving "
                                                   "die ruimte inneemt', %1.25)").arg(1000000 + n)));
        ASSERT_TRUE(db->commitTrans());
        ASSERT_TRUE(db->execute(QStringLiteral("DELETE * FROM Products WHERE ArtikelNr > 1001000")));
    }

    QString catalogFile() const { return dir.file(catalogDatabaseName); }
    QString tempFile() const { return dir.file(CatalogReorganisation::temporaryName); }

    // Every row's content, read without the engine layer.
    QStringList rows(const char* sql = "SELECT ArtikelNr, Beschrijving, BrutoPrijs FROM Products ORDER BY ArtikelNr")
    {
        sqlite3* raw = nullptr;
        QStringList out;
        if (sqlite3_open_v2(QFile::encodeName(catalogFile()).constData(), &raw, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* s = nullptr;
            if (sqlite3_prepare_v2(raw, sql, -1, &s, nullptr) == SQLITE_OK) {
                while (sqlite3_step(s) == SQLITE_ROW) {
                    QStringList cols;
                    for (int i = 0; i < sqlite3_column_count(s); ++i)
                        cols << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
                    out << cols.join(QLatin1Char('|'));
                }
            }
            sqlite3_finalize(s);
        }
        sqlite3_close(raw);
        return out;
    }

    QString integrity() { return rows("PRAGMA integrity_check").join(QLatin1Char(';')); }

    QByteArray scanFile() const
    {
        QFile f(dir.file(scanFileName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void writeScanFile(const QByteArray& bytes)
    {
        QFile f(dir.file(scanFileName));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    RecordingMeter meter;
};

TEST_F(ReorganisationTest, CompactsKeepsEveryRowAndRewritesTheScanFile)
{
    const QStringList before = rows();
    ASSERT_EQ(before.size(), 1000);
    const qint64 sizeBefore = QFileInfo(catalogFile()).size();
    writeScanFile("@1|oud@");

    CatalogReorganisation reorganisation(dir.path(), meter);
    // From the compaction to the replacement no other copy can even read the catalog.
    int otherRead = SQLITE_OK;
    reorganisation.setBeforeReplace([&] {
        sqlite3* other = nullptr;
        sqlite3_open_v2(QFile::encodeName(catalogFile()).constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
        otherRead = sqlite3_exec(other, "SELECT count(*) FROM Products", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    });
    const CatalogReorganisation::Result r = reorganisation.run();

    ASSERT_EQ(r.outcome, CatalogReorganisation::Outcome::Done) << r.message.toStdString();
    EXPECT_EQ(otherRead, SQLITE_BUSY);
    EXPECT_LT(QFileInfo(catalogFile()).size(), sizeBefore / 2);
    EXPECT_EQ(integrity(), QStringLiteral("ok"));
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(Database::checkFile(catalogFile()), Database::FileState::Usable);
    EXPECT_FALSE(QFileInfo::exists(tempFile()));
    const QByteArray scan = scanFile();
    EXPECT_TRUE(scan.startsWith("@1000001|Kogelkraan 1000001 mm"));
    EXPECT_TRUE(scan.contains("@1001000|"));
    EXPECT_FALSE(scan.contains("@1001001|"));
    EXPECT_TRUE(scan.endsWith(QByteArray(512, '@')));
    EXPECT_EQ(meter.labels.mid(0, 2), (QStringList{QStringLiteral("Verwerken database: controle/reparatie..."),
                                                   QStringLiteral("Verwerken database: compressie...")}));
    EXPECT_TRUE(meter.percents.contains(50) && meter.percents.contains(75) && meter.percents.contains(100));
}

TEST_F(ReorganisationTest, AnotherCopyHoldingAWriteLockChangesNothing)
{
    const QStringList before = rows();
    const QByteArray bytesBefore = [&] {
        QFile f(catalogFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(catalogFile()).constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; UPDATE Products SET KortingGroep = 3 WHERE ArtikelNr = 1000001", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);

    CatalogReorganisation reorganisation(dir.path(), meter);
    reorganisation.setBusyTimeout(100);
    CatalogReorganisation::Result r = reorganisation.run();
    EXPECT_EQ(r.outcome, CatalogReorganisation::Outcome::InUse);
    EXPECT_TRUE(r.message.contains(QStringLiteral("in gebruik door een ander exemplaar")));
    EXPECT_FALSE(QFileInfo::exists(tempFile()));
    QFile f(catalogFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytesBefore);

    // Once the other copy lets go, the same run goes through.
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    r = reorganisation.run();
    EXPECT_EQ(r.outcome, CatalogReorganisation::Outcome::Done) << r.message.toStdString();
    EXPECT_EQ(rows(), before);
}

// A copy that ended without folding its write-ahead log back: the commits in the log are
// part of the catalog, and the replacement must neither lose them nor leave the old log
// beside the new file (where it would be played into it).
TEST_F(ReorganisationTest, CommitsLeftInTheWriteAheadLogAreKept)
{
    {
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(catalogFile()).constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_db_config(other, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode=WAL; UPDATE Products SET Beschrijving = 'uit het log' "
                                      "WHERE ArtikelNr = 1000500",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(other);
    }
    ASSERT_GT(QFileInfo(catalogFile() + QStringLiteral("-wal")).size(), 0);
    const QStringList before = rows();
    ASSERT_TRUE(before.contains(QStringLiteral("1000500|uit het log|1000500.25")));

    CatalogReorganisation reorganisation(dir.path(), meter);
    QStringList besideAtReplace;
    reorganisation.setBeforeReplace([&] {
        besideAtReplace = QDir(dir.path()).entryList({QStringLiteral("VD-CLNT4.MDB-*")}, QDir::Files);
    });
    const CatalogReorganisation::Result r = reorganisation.run();

    ASSERT_EQ(r.outcome, CatalogReorganisation::Outcome::Done) << r.message.toStdString();
    EXPECT_TRUE(besideAtReplace.isEmpty()) << besideAtReplace.join(u'|').toStdString();
    EXPECT_FALSE(QFileInfo::exists(catalogFile() + QStringLiteral("-wal")));
    EXPECT_EQ(integrity(), QStringLiteral("ok"));
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(scanFile().contains("@1000500|uit het log"));
}

TEST_F(ReorganisationTest, KilledBetweenCompactionAndReplacementLeavesAUsableCatalog)
{
    const QStringList before = rows();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CatalogReorganisation reorganisation(dir.path(), meter);
        reorganisation.setBeforeReplace([] { ::raise(SIGKILL); });
        reorganisation.run();
        ::_exit(0); // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    EXPECT_TRUE(QFileInfo::exists(tempFile())); // the compacted copy was ready
    EXPECT_EQ(Database::checkFile(catalogFile()), Database::FileState::Usable);
    EXPECT_TRUE(Database::open(catalogFile()) != nullptr);
    EXPECT_EQ(integrity(), QStringLiteral("ok"));
    EXPECT_EQ(rows(), before);

    // The next run starts over and clears the leftover.
    CatalogReorganisation again(dir.path(), meter);
    EXPECT_EQ(again.run().outcome, CatalogReorganisation::Outcome::Done);
    EXPECT_FALSE(QFileInfo::exists(tempFile()));
    EXPECT_EQ(rows(), before);
}

TEST_F(ReorganisationTest, DamagedTablePageIsRecoveredAsFarAsItCanBeRead)
{
    {
        // No free pages left that look like table pages.
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(catalogFile()).constData(), &raw, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(raw, "VACUUM", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(raw);
    }
    QFile f(catalogFile());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const int pageSize = (quint8(bytes[16]) << 8) | quint8(bytes[17]);
    // Table leaf pages (type 13) holding rows; the one in the middle gets its cell
    // pointers pointed past the page's end.
    QList<int> leaves;
    for (int p = 1; (p + 1) * pageSize <= bytes.size(); ++p) {
        const int at = p * pageSize;
        const int cells = (quint8(bytes[at + 3]) << 8) | quint8(bytes[at + 4]);
        if (quint8(bytes[at]) == 13 && cells > 2)
            leaves << p;
    }
    ASSERT_GT(leaves.size(), 10);
    const int page = leaves[leaves.size() / 2] * pageSize;
    for (int i = 8; i < 8 + 2 * 4; ++i)
        bytes[page + i] = char(0xFF);
    f.seek(0);
    f.write(bytes);
    f.close();
    ASSERT_NE(integrity(), QStringLiteral("ok"));

    CatalogReorganisation reorganisation(dir.path(), meter);
    const CatalogReorganisation::Result r = reorganisation.run();

    ASSERT_EQ(r.outcome, CatalogReorganisation::Outcome::Recovered) << r.message.toStdString();
    EXPECT_TRUE(r.message.startsWith(QStringLiteral("De artikeldatabase was beschadigd.")));
    EXPECT_EQ(integrity(), QStringLiteral("ok"));
    const qsizetype kept = rows().size();
    EXPECT_LT(kept, 1000);
    EXPECT_GT(kept, 900); // only the damaged page's rows are gone
    EXPECT_EQ(Database::checkFile(catalogFile()), Database::FileState::Usable);
    EXPECT_TRUE(scanFile().endsWith(QByteArray(512, '@')));
    EXPECT_FALSE(QFileInfo::exists(tempFile()));
}

} // namespace
