#pragma once

// A catalog and an illustration database with a few groups, properties, series and colour
// fans, and a stand-in main window with the article list, for the selection windows.
#include "app/core/settings.h"
#include "browser/articlegrid.h"
#include "browser/articlelisthost.h"
#include "browser/datacontrol.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "scriptedui.h"
#include "testdir.h"
#include "tools/demodata/catalogworld.h"
#include "tools/demodata/illustrationdb.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vandrel::test {

class FakeListHost : public ArticleListHost {
public:
    FakeListHost(Database* catalog, Database* illustration)
        : catalog_(catalog), illustration_(illustration), data_(QStringLiteral("Data3")), grid_(QStringLiteral("Table3"))
    {
        data_.setDatabase(catalog);
        grid_.bind(&data_);
    }
    Database* catalogDatabase() const override { return catalog_; }
    Database* illustrationDatabase() const override { return illustration_; }
    DataControl* listData() const override { return const_cast<DataControl*>(&data_); }
    ArticleGrid* listGrid() const override { return const_cast<ArticleGrid*>(&grid_); }
    void showListView() override { ++listViews; }
    QVariant seriesColourFan() const override { return fan; }

    QStringList listedNumbers() const
    {
        QStringList numbers;
        RecordsetModel* m = data_.model();
        const int col = m->columnOf(QStringLiteral("ArtikelNr"));
        for (int r = 0; r < m->rowCount(); ++r)
            numbers << m->value(r, col).toString();
        return numbers;
    }

    int listViews = 0;
    QVariant fan;

private:
    Database* catalog_;
    Database* illustration_;
    DataControl data_;
    ArticleGrid grid_;
};

// Packed colour values (red in the low byte).
constexpr int red = 0x0000FF;
constexpr int blue = 0xFF0000;
constexpr int white = 0xFFFFFF;

class SelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programState() = ProgramState();
        columnLayouts() = ColumnLayouts();
        const QString d = dir.path();
        programState().programDirectory = programState().productFile = programState().digitalFile = d;
        BuildCatalogDatabase(d, 0);
        ASSERT_EQ(OpenCatalogDatabases(d), OpenOutcome::Opened);
        catalog = databaseHandles().catalog.get();

        // The generator's schema, with our own rows in the four tables the windows read.
        const QString file = d + illustrationDatabaseName;
        ASSERT_FALSE(generatedIllustrationDatabase().isEmpty());
        ASSERT_TRUE(QFile::copy(generatedIllustrationDatabase(), file));
        QFile(file).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        illustration = Database::open(file);
        ASSERT_TRUE(illustration);
        for (const char* table : {"ProductGroups", "Series", "ColorSchemes", "ColorSpecifications"})
            exec(illustration.get(), QStringLiteral("DELETE * FROM ") + table);
        exec(illustration.get(), "INSERT INTO ProductGroups VALUES ('10201', 'Kogelkranen', 'Diameter', 1, "
                                 "'Uitvoering', 5, 'Kleur', 6, 'Ongebruikt', 0)");
        exec(illustration.get(), "INSERT INTO ProductGroups VALUES ('20302', 'Radiatoren', 'Hoogte', 2, "
                                 "NULL, NULL, NULL, 0, 'Kleur', 6)");
        exec(illustration.get(), "INSERT INTO ProductGroups VALUES ('10200', 'Kranen algemeen', 'Maat', 1, "
                                 "NULL, NULL, NULL, NULL, NULL, NULL)");
        exec(illustration.get(), "INSERT INTO Series VALUES (1, 'Kogelkraan', 1, 7)");
        exec(illustration.get(), "INSERT INTO Series VALUES (2, 'Paneel', 1, 8)");
        exec(illustration.get(), "INSERT INTO ColorSchemes VALUES (7, 'Kranenwaaier')");
        exec(illustration.get(), "INSERT INTO ColorSchemes VALUES (8, 'Radiatorwaaier')");
        addColour(7, red, "Rood");
        addColour(7, blue, "Blauw");
        addColour(8, red, "Signaalrood");
        addColour(8, white, "Wit");

        // number, group, series, the four properties
        addArticle(1000001, "102010001", 1, "90", "Chroom", QString::number(red), "");
        addArticle(1000002, "102010001", 1, "100", "Messing d'Or", QString::number(blue), "");
        addArticle(1000003, "102010002", 1, "110", "chroom mat", QString::number(red), "");
        addArticle(1000004, "102010002", 1, "111", "Messing", QString::number(blue), "");
        addArticle(1000005, "102010002", 1, "89", "Messing", QString::number(blue), "");
        addArticle(1000006, "102010003", 1, "100 mm", "Nikkel", QString::number(blue), "");
        addArticle(2000001, "203020001", 2, "600", "", "", QString::number(red));
        addArticle(2000002, "203020001", 2, "900", "", "", QString::number(white));
        addArticle(3000001, "305000001", 0, "", QString::number(red), "", "");
        addArticle(3000002, "305000001", 0, "", QString::number(red) + "0", "", "");
        host = std::make_unique<FakeListHost>(catalog, illustration.get());
    }
    void TearDown() override
    {
        host.reset();
        illustration.reset();
        databaseHandles().closeAll();
    }

    // Drawing the pictures takes a while: once per run, copied for each test.
    static QString generatedIllustrationDatabase()
    {
        static QTemporaryDir folder;
        static const QString file = [] {
            const QString f = folder.filePath(illustrationDatabaseName);
            return demodata::writeIllustrationDatabase(demodata::CatalogWorld(demodata::Options{0}), f) ? f
                                                                                                      : QString();
        }();
        return file;
    }
    static void exec(Database* db, const QString& statement)
    {
        ASSERT_TRUE(db->execute(statement)) << statement.toStdString() << ": "
                                            << PendingError::get().text.toStdString();
    }
    void addColour(int fan, int code, const QString& name)
    {
        exec(illustration.get(), QStringLiteral("INSERT INTO ColorSpecifications VALUES (%1, %2, '%3')")
                                     .arg(fan)
                                     .arg(code)
                                     .arg(name));
    }
    void addArticle(int number, const QString& group, int serie, const QString& k1, const QString& k2,
                    const QString& k3, const QString& k4)
    {
        const auto q = [](const QString& v) {
            return v.isEmpty() ? QStringLiteral("NULL") : QLatin1Char('\'') + QString(v).replace("'", "''") + QLatin1Char('\'');
        };
        exec(catalog, QStringLiteral("INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, SerieKode, "
                                     "Klassificatie_1, Klassificatie_2, Klassificatie_3, Klassificatie_4) "
                                     "VALUES (%1, '%2', 'Artikel %1', %3, %4, %5, %6, %7)")
                              .arg(number)
                              .arg(group)
                              .arg(serie)
                              .arg(q(k1), q(k2), q(k3), q(k4)));
    }

    TestDir dir;
    ScriptedUi ui;
    Database* catalog = nullptr;
    std::unique_ptr<Database> illustration;
    std::unique_ptr<FakeListHost> host;
};

} // namespace vandrel::test
