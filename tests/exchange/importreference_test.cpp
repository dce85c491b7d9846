// The import's results, kept as reference files: a delivery (generated articles and hand-
// written awkward records) imported at first start, then an update over it. The tables
// are compared row for row (every column with its stored type) and the scan file byte
// for byte, so a faster import cannot change what it stores.
//
// To rewrite the reference after a deliberate change of results:
//   VANDREL_WRITE_IMPORT_REFERENCE=1 build/bin/exchange_tests --gtest_filter='ImportReference*'

#include "app/core/settings.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/connection.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"
#include "exchange/catalogimport.h"
#include "scriptedui.h"
#include "testdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace vandrel;

namespace {

const QString referenceDir = QStringLiteral(VANDREL_IMPORT_REFERENCE_DIR "/");

struct QuietWindow final : ImportWindow, ProgressMeter {
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override {}
    void close() override {}
};

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every row of the three tables in key order, each value with its stored type.
QByteArray dumpTables(Database& db)
{
    QByteArray out;
    const char* queries[] = {"SELECT * FROM Products ORDER BY ArtikelNr",
                             "SELECT * FROM Additionals ORDER BY ArtikelNr, ComplementNummer",
                             "SELECT * FROM Alternatives ORDER BY ArtikelNr, AlternatiefArtikel"};
    for (const char* sql : queries) {
        out += QByteArray("# ") + sql + '\n';
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db.connection()->handle(), sql, -1, &s, nullptr) != SQLITE_OK)
            return "cannot read: " + QByteArray(sql);
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            out += QByteArray(c ? "\t" : "") + sqlite3_column_name(s, c);
        out += '\n';
        while (sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(s); ++c) {
                if (c)
                    out += '\t';
                switch (sqlite3_column_type(s, c)) {
                case SQLITE_NULL:
                    out += "NULL";
                    break;
                case SQLITE_INTEGER:
                    out += "i:" + QByteArray::number(sqlite3_column_int64(s, c));
                    break;
                case SQLITE_FLOAT:
                    out += "r:" + QByteArray::number(sqlite3_column_double(s, c), 'g', 17);
                    break;
                default: {
                    QByteArray text(reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c));
                    out += "t:" + text.replace('\\', "\\\\").replace('\r', "\\r").replace('\n', "\\n").replace('\t', "\\t");
                }
                }
            }
            out += '\n';
        }
        sqlite3_finalize(s);
    }
    return out;
}

class ImportReference : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildCatalogDatabase(dir.path(), 0);
        db = Database::open(dir.file(catalogDatabaseName));
        ASSERT_TRUE(db);
        for (const char* table : {"Products", "ScanTemp", "Additionals", "Alternatives"}) {
            auto td = db->tableDef(QLatin1String(table));
            ASSERT_TRUE(td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr")));
            if (auto* per = td->field(QStringLiteral("PrijsPer"))) {
                ASSERT_TRUE(per->setName(QStringLiteral("Per")));
            }
        }
        importDir = dir.path() + QStringLiteral("import/");
        QDir().mkpath(importDir);
    }

    void importFrom(const QStringList& files, bool updateMode)
    {
        for (const QString& name : QDir(importDir).entryList(QDir::Files))
            QFile::remove(importDir + name);
        for (const QString& name : files)
            ASSERT_TRUE(QFile::copy(referenceDir + name, importDir + QFileInfo(name).fileName()))
                << name.toStdString();
        if (!updateMode)
            ui.expectMessage(MsgAnswer::Ok); // the restart message at the end
        QuietWindow window;
        CatalogImport import(*db, window);
        import.setProductFileDirectory(dir.path());
        import.setSettingsFile(dir.file(QStringLiteral("VANDREL4.INI")));
        ASSERT_TRUE(import.run(importDir, updateMode));
        EXPECT_EQ(import.counts().errors, 0);
    }

    // Compares with the reference files (or writes them, on request).
    void expectSameAsReference(const QString& stage)
    {
        const QByteArray tables = dumpTables(*db);
        const QByteArray scan = readAll(dir.file(scanFileName));
        ASSERT_FALSE(scan.isEmpty());
        const QString tablesFile = referenceDir + stage + QStringLiteral("-tables.txt");
        const QString scanFile = referenceDir + stage + QStringLiteral("-scanfile.scn");
        if (qEnvironmentVariableIsSet("VANDREL_WRITE_IMPORT_REFERENCE")) {
            for (const auto& [file, bytes] : {std::pair{tablesFile, tables}, std::pair{scanFile, scan}}) {
                QFile f(file);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(bytes);
            }
            return;
        }
        const QByteArray expectedTables = readAll(tablesFile);
        ASSERT_FALSE(expectedTables.isEmpty()) << "no reference " << tablesFile.toStdString();
        const QList<QByteArray> want = expectedTables.split('\n');
        const QList<QByteArray> got = tables.split('\n');
        for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
            const QByteArray w = want.value(i), g = got.value(i);
            ASSERT_EQ(g.toStdString(), w.toStdString()) << stage.toStdString() << ": first different row, line " << i + 1;
        }
        const QByteArray expectedScan = readAll(scanFile);
        ASSERT_EQ(scan.size(), expectedScan.size()) << stage.toStdString();
        EXPECT_TRUE(scan == expectedScan) << stage.toStdString() << ": scan file differs";
    }

    test::TestDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<Database> db;
    QString importDir;
};

} // namespace

TEST_F(ImportReference, FirstStartThenUpdateGiveTheReferenceTablesAndScanFiles)
{
    importFrom({QStringLiteral("ARTINFO.TXT"), QStringLiteral("ADDIINFO.TXT"), QStringLiteral("ALTEINFO.TXT")}, false);
    expectSameAsReference(QStringLiteral("first"));
    importFrom({QStringLiteral("VDCDINFO")}, true);
    expectSameAsReference(QStringLiteral("update"));
}
