#include "catalogdb/database.h"
#include "catalogdb/jetfunctions.h"

#include "app/core/currency.h"

#include "testdir.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace vandrel;

namespace {

// A small table with a unique key, a text key with duplicates and nulls.
std::unique_ptr<Database> smallDb(const QString& file)
{
    auto db = Database::create(file);
    EXPECT_TRUE(db);
    TableDef td = db->createTableDef(QStringLiteral("Art"));
    td.appendField(td.createField(QStringLiteral("Nr"), Field::Long));
    td.appendField(td.createField(QStringLiteral("Groep"), Field::Text, 5));
    td.appendField(td.createField(QStringLiteral("Prijs"), Field::Currency));
    td.appendField(td.createField(QStringLiteral("Vlag"), Field::YesNo));
    td.appendField(td.createField(QStringLiteral("Datum"), Field::DateTime));
    Index pk = td.createIndex(QStringLiteral("PrimaryKey"));
    pk.setFields(QStringLiteral("Nr"));
    pk.setPrimary(true);
    td.appendIndex(pk);
    Index gk = td.createIndex(QStringLiteral("GroupKey"));
    gk.setFields(QStringLiteral("Groep"));
    td.appendIndex(gk);
    EXPECT_TRUE(db->appendTableDef(td));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    const struct {
        int nr;
        const char* groep;
        double prijs;
    } rows[] = {{30, "b", 1.23456}, {10, "A", 2}, {20, nullptr, 3}, {40, "a", 4}, {50, "C", 5}};
    for (const auto& r : rows) {
        EXPECT_TRUE(rs->addNew());
        rs->setValue(QStringLiteral("Nr"), r.nr);
        rs->setValue(QStringLiteral("Groep"), r.groep ? QVariant(QString::fromLatin1(r.groep)) : QVariant());
        rs->setValue(QStringLiteral("Prijs"), r.prijs);
        rs->setValue(QStringLiteral("Vlag"), true);
        EXPECT_TRUE(rs->update()) << PendingError::get().text.toStdString();
    }
    return db;
}

QList<int> walk(Recordset& rs, bool forward = true)
{
    QList<int> nrs;
    if (forward ? !rs.moveFirst() : !rs.moveLast())
        return nrs;
    while (forward ? !rs.eof() : !rs.bof()) {
        nrs << rs.value(QStringLiteral("Nr")).toInt();
        forward ? rs.moveNext() : rs.movePrevious();
    }
    return nrs;
}

} // namespace

TEST(Engine, TableRecordsetWalksIndexOrderWithNullsAndTies)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    ASSERT_TRUE(rs);
    EXPECT_EQ(walk(*rs), (QList<int>{30, 10, 20, 40, 50})); // no index: insertion order
    ASSERT_TRUE(rs->setIndex(QStringLiteral("PrimaryKey")));
    EXPECT_EQ(walk(*rs), (QList<int>{10, 20, 30, 40, 50}));
    EXPECT_EQ(walk(*rs, false), (QList<int>{50, 40, 30, 20, 10}));
    // Text keys: null first, letter case ignored, ties in insertion order.
    ASSERT_TRUE(rs->setIndex(QStringLiteral("GroupKey")));
    EXPECT_EQ(walk(*rs), (QList<int>{20, 10, 40, 30, 50}));
    EXPECT_EQ(walk(*rs, false), (QList<int>{50, 30, 40, 10, 20}));
    EXPECT_EQ(rs->recordCount(), 5);
}

TEST(Engine, SeekEqualAndGreaterOrEqual)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    ASSERT_TRUE(rs->setIndex(QStringLiteral("PrimaryKey")));
    ASSERT_TRUE(rs->seek(QStringLiteral("="), 30));
    EXPECT_FALSE(rs->noMatch());
    EXPECT_EQ(rs->value(QStringLiteral("Groep")).toString(), QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(rs->value(QStringLiteral("Prijs")).toDouble(), 1.2346); // four decimals
    EXPECT_EQ(rs->value(QStringLiteral("Vlag")), QVariant(true));
    ASSERT_TRUE(rs->seek(QStringLiteral("="), 31));
    EXPECT_TRUE(rs->noMatch());
    ASSERT_TRUE(rs->seek(QStringLiteral(">="), 31));
    EXPECT_FALSE(rs->noMatch());
    EXPECT_EQ(rs->value(0).toInt(), 40);
    rs->moveNext();
    EXPECT_EQ(rs->value(0).toInt(), 50);
    ASSERT_TRUE(rs->seek(QStringLiteral(">="), 51));
    EXPECT_TRUE(rs->noMatch());
    // Text keys compare without regard to case.
    ASSERT_TRUE(rs->setIndex(QStringLiteral("GroupKey")));
    ASSERT_TRUE(rs->seek(QStringLiteral("="), QStringLiteral("B")));
    EXPECT_EQ(rs->value(0).toInt(), 30);
    ASSERT_TRUE(rs->seek(QStringLiteral(">="), QStringLiteral("a")));
    EXPECT_EQ(rs->value(0).toInt(), 10);
    // Seek without an index, or on a dynaset, is an engine error.
    auto dyn = db->openRecordset(QStringLiteral("Art"));
    ASSERT_TRUE(dyn);
    PendingError::clear();
    EXPECT_FALSE(dyn->seek(QStringLiteral("="), 10));
    EXPECT_EQ(PendingError::get().number, EngineError::NotSupported);
}

TEST(Engine, DynasetBookmarksPositionsFindAndEdits)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("SELECT Nr, Groep, Prijs * 2 AS [Dubbele prijs] FROM Art ORDER BY Nr"));
    ASSERT_TRUE(rs) << PendingError::get().text.toStdString();
    EXPECT_EQ(rs->recordCount(), 5);
    EXPECT_EQ(rs->fieldNames(), (QStringList{"Nr", "Groep", "Dubbele prijs"}));
    ASSERT_TRUE(rs->setAbsolutePosition(3));
    EXPECT_EQ(rs->value(0).toInt(), 40);
    const auto mark = rs->bookmark();
    rs->moveFirst();
    ASSERT_TRUE(rs->setBookmark(mark));
    EXPECT_EQ(rs->value(QStringLiteral("nr")).toInt(), 40);
    ASSERT_TRUE(rs->findFirst(QStringLiteral("Groep LIKE 'a*'")));
    EXPECT_FALSE(rs->noMatch());
    EXPECT_EQ(rs->value(0).toInt(), 10);
    ASSERT_TRUE(rs->findNext(QStringLiteral("Groep LIKE 'a*'")));
    EXPECT_EQ(rs->value(0).toInt(), 40);
    ASSERT_TRUE(rs->findNext(QStringLiteral("Groep LIKE 'a*'")));
    EXPECT_TRUE(rs->noMatch());
    // Criteria on a computed column of the recordset.
    ASSERT_TRUE(rs->findFirst(QStringLiteral("[Dubbele prijs] = 6")));
    EXPECT_EQ(rs->value(0).toInt(), 20);

    // Edit, add (comes at the end), delete (the next row follows).
    ASSERT_TRUE(rs->edit());
    ASSERT_TRUE(rs->setValue(QStringLiteral("Groep"), QStringLiteral("Z")));
    ASSERT_TRUE(rs->update());
    EXPECT_EQ(rs->value(1).toString(), QStringLiteral("Z"));
    PendingError::clear();
    ASSERT_TRUE(rs->edit());
    EXPECT_FALSE(rs->setValue(2, 1)); // computed
    rs->cancelUpdate();
    ASSERT_TRUE(rs->addNew());
    rs->setValue(0, 5);
    ASSERT_TRUE(rs->update());
    EXPECT_EQ(rs->recordCount(), 6);
    rs->moveLast();
    EXPECT_EQ(rs->value(0).toInt(), 5);
    rs->moveFirst();
    ASSERT_TRUE(rs->deleteRecord());
    EXPECT_FALSE(rs->hasCurrent());
    rs->moveNext();
    EXPECT_EQ(rs->value(0).toInt(), 20);
    EXPECT_EQ(rs->recordCount(), 5);
}

TEST(Engine, WriteChecksFollowTheColumnTypes)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    struct Case {
        const char* field;
        QVariant value;
        int error;
    } cases[] = {
        {"Groep", QStringLiteral("123456"), EngineError::FieldTooSmall},
        {"Nr", 3000000000.0, EngineError::NumericOverflow},
        {"Nr", QStringLiteral("abc"), EngineError::DataTypeMismatch},
        {"Datum", QStringLiteral("geen datum"), EngineError::DataTypeMismatch},
        {"Nr", 10, EngineError::DuplicateKey},
        {"Nr", QVariant(), 3058},
    };
    for (const Case& c : cases) {
        PendingError::clear();
        ASSERT_TRUE(rs->addNew());
        rs->setValue(QStringLiteral("Nr"), 99);
        const bool set = rs->setValue(QString::fromLatin1(c.field), c.value);
        const bool ok = set && rs->update();
        EXPECT_FALSE(ok) << c.field;
        EXPECT_EQ(PendingError::get().number, c.error) << c.field;
        rs->cancelUpdate();
    }
    EXPECT_EQ(rs->recordCount(), 5);
    // Money goes in exactly and comes back as the same amount.
    ASSERT_TRUE(rs->addNew());
    rs->setValue(QStringLiteral("Nr"), 70);
    rs->setValue(QStringLiteral("Prijs"), QVariant::fromValue(Currency::fromRaw(123456789)));
    ASSERT_TRUE(rs->update());
    // A date goes in and comes back as the same moment.
    ASSERT_TRUE(rs->addNew());
    rs->setValue(QStringLiteral("Nr"), 60);
    const QDateTime when(QDate(2024, 1, 31), QTime(13, 5, 0));
    rs->setValue(QStringLiteral("Datum"), when);
    ASSERT_TRUE(rs->update());
    rs->setIndex(QStringLiteral("PrimaryKey"));
    ASSERT_TRUE(rs->seek(QStringLiteral("="), 60));
    EXPECT_EQ(rs->value(QStringLiteral("Datum")).toDateTime(), when);
    ASSERT_TRUE(rs->seek(QStringLiteral("="), 70));
    EXPECT_EQ(rs->currency(QStringLiteral("Prijs")), Currency::fromRaw(123456789));
}

TEST(Engine, FieldRenameInPlaceCarriesTheIndex)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto td = db->tableDef(QStringLiteral("ART"));
    ASSERT_TRUE(td);
    EXPECT_EQ(td->name(), QStringLiteral("Art"));
    ASSERT_EQ(td->fieldCount(), 5);
    EXPECT_EQ(td->field(1).type(), Field::Text);
    EXPECT_EQ(td->field(1).size(), 5);
    EXPECT_EQ(td->field(2).type(), Field::Currency);
    ASSERT_TRUE(td->field(0).setName(QStringLiteral("ArtikelNr")));
    auto again = db->tableDef(0);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->field(0).name(), QStringLiteral("ArtikelNr"));
    ASSERT_EQ(again->indexCount(), 2);
    EXPECT_EQ(again->index(0).name(), QStringLiteral("PrimaryKey"));
    EXPECT_EQ(again->index(0).fields(), QStringLiteral("ArtikelNr"));
    EXPECT_TRUE(again->index(0).primary());
    EXPECT_TRUE(again->index(0).unique());
    EXPECT_FALSE(again->index(1).unique());
    // Appending an existing column fails and changes nothing.
    PendingError::clear();
    EXPECT_FALSE(again->appendField(again->createField(QStringLiteral("groep"), Field::Text, 255)));
    EXPECT_TRUE(PendingError::isSet());
    EXPECT_EQ(db->tableDef(0)->fieldCount(), 5);
}

TEST(Engine, TransactionsRollBackAndNest)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    ASSERT_TRUE(db->beginTrans());
    ASSERT_TRUE(db->execute(QStringLiteral("DELETE * FROM Art WHERE Nr = 10")));
    ASSERT_TRUE(db->beginTrans());
    ASSERT_TRUE(db->execute(QStringLiteral("DELETE * FROM Art")));
    ASSERT_TRUE(db->rollback());
    ASSERT_TRUE(db->commitTrans());
    EXPECT_EQ(db->openRecordset(QStringLiteral("Art"))->recordCount(), 4);
    ASSERT_TRUE(db->beginTrans());
    ASSERT_TRUE(db->execute(QStringLiteral("DELETE * FROM Art")));
    ASSERT_TRUE(db->rollback());
    EXPECT_EQ(db->openRecordset(QStringLiteral("Art"))->recordCount(), 4);
    PendingError::clear();
    EXPECT_FALSE(db->commitTrans());
}

TEST(Engine, SecondConnectionSeesCommittedRowsAndWaitsForLocks)
{
    test::TestDir dir;
    const QString file = dir.file(QStringLiteral("a.mdb"));
    auto first = smallDb(file);
    auto second = Database::open(file);
    ASSERT_TRUE(second);
    auto rs = first->openRecordset(QStringLiteral("SELECT * FROM Art"));
    // An open recordset holds no lock: the other handle can write.
    ASSERT_TRUE(second->execute(QStringLiteral("UPDATE Art SET Groep = 'X' WHERE Nr = 30")));
    ASSERT_TRUE(rs->requery());
    ASSERT_TRUE(rs->findFirst(QStringLiteral("Nr = 30")));
    EXPECT_EQ(rs->value(QStringLiteral("Groep")).toString(), QStringLiteral("X"));
    // Halfway through a forward-only walk and a join copied aside, the file is free too.
    auto walk = first->openRecordset(QStringLiteral("SELECT * FROM Art"), Recordset::ForwardOnly);
    auto join = first->openRecordset(QStringLiteral("SELECT a.Nr FROM Art a, Art b WHERE a.Nr = b.Nr"));
    ASSERT_TRUE(walk && join);
    ASSERT_TRUE(walk->moveNext());
    ASSERT_TRUE(join->moveNext());
    ASSERT_TRUE(second->execute(QStringLiteral("DELETE * FROM Art WHERE Nr = 50")));
    EXPECT_EQ(join->recordCount(), 5); // a snapshot
}

TEST(Engine, ClosedDatabaseFailsCleanly)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    db->close();
    PendingError::clear();
    EXPECT_FALSE(rs->moveNext());
    EXPECT_EQ(PendingError::get().number, EngineError::ObjectClosed);
    EXPECT_FALSE(db->execute(QStringLiteral("DELETE * FROM Art")));
}

TEST(Engine, ReadOnlyHandlesRefuseWrites)
{
    test::TestDir dir;
    const QString file = dir.file(QStringLiteral("a.mdb"));
    smallDb(file);
    auto db = Database::open(file, true, true);
    ASSERT_TRUE(db);
    PendingError::clear();
    EXPECT_FALSE(db->execute(QStringLiteral("DELETE * FROM Art")));
    EXPECT_EQ(PendingError::get().number, EngineError::ReadOnly);
    auto rs = db->openRecordset(QStringLiteral("SELECT * FROM Art"), Recordset::ForwardOnly, Recordset::ReadOnly);
    ASSERT_TRUE(rs);
    EXPECT_FALSE(rs->edit());
    int n = 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        ++n;
    EXPECT_EQ(n, 5);
    EXPECT_FALSE(rs->movePrevious());
}

TEST(Engine, CheckFileTellsMissingDamagedAndUsable)
{
    test::TestDir dir;
    const QString good = dir.file(QStringLiteral("a.mdb"));
    smallDb(good);
    EXPECT_EQ(Database::checkFile(good), Database::FileState::Usable);
    EXPECT_EQ(Database::checkFile(dir.file(QStringLiteral("none.mdb"))), Database::FileState::Missing);

    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    auto write = [&](const QString& name, const QByteArray& data) {
        QFile out(dir.file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
        return dir.file(name);
    };
    QByteArray noise(8192, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) & 0xff);
    EXPECT_EQ(Database::checkFile(write(QStringLiteral("noise.mdb"), noise)), Database::FileState::Damaged);
    EXPECT_EQ(Database::checkFile(write(QStringLiteral("cut.mdb"), bytes.left(bytes.size() - 4096))),
              Database::FileState::Damaged);
    EXPECT_EQ(Database::checkFile(write(QStringLiteral("half.mdb"), bytes.left(bytes.size() / 2 + 100))),
              Database::FileState::Damaged);
    EXPECT_EQ(Database::checkFile(write(QStringLiteral("empty.mdb"), {})), Database::FileState::Damaged);
}

TEST(Engine, CompactIntoNewFileAndRepairInPlace)
{
    test::TestDir dir;
    const QString file = dir.file(QStringLiteral("a.mdb"));
    smallDb(file)->close();
    const QString copy = dir.file(QStringLiteral("VDTEMP.MDB"));
    ASSERT_TRUE(Database::compact(file, copy)) << PendingError::get().text.toStdString();
    EXPECT_FALSE(Database::compact(file, copy)); // the target exists
    ASSERT_TRUE(Database::repair(copy));
    auto db = Database::open(copy);
    ASSERT_TRUE(db);
    EXPECT_EQ(db->openRecordset(QStringLiteral("Art"))->recordCount(), 5);
    EXPECT_EQ(db->tableDef(QStringLiteral("Art"))->indexCount(), 2);
}

TEST(JetFunctions, LikePatterns)
{
    const struct {
        const char* text;
        const char* pattern;
        bool match;
    } cases[] = {
        {"Thermostatische KRAAN 15mm", "*kraan*", true},
        {"kraan", "*kraan*", true},
        {"kra", "*kraan*", false},
        {"AB-123", "ab*", true},
        {"xab", "ab*", false},
        {"a1c", "a#c", true},
        {"abc", "a#c", false},
        {"abc", "a?c", true},
        {"ac", "a?c", false},
        {"b", "[a-c]", true},
        {"d", "[a-c]", false},
        {"d", "[!a-c]", true},
        {"a*", "a[*]", true},
        {"50%", "50%", true},
        {"500", "50%", false},
        {"a_c", "a_c", true},
        {"abc", "a_c", false},
        {"", "*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JetFunctions::like(QString::fromUtf8(c.text), QString::fromUtf8(c.pattern)), c.match)
            << c.text << " LIKE " << c.pattern;
    EXPECT_FALSE(JetFunctions::like(QStringLiteral("a"), QStringLiteral("[a")).has_value());
}

TEST(JetFunctions, ValTakesTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("  95 mm")), 95);
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("1 2 3")), 123);
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("-2.5e2x")), -250);
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("&H1F")), 31);
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("abc")), 0);
    EXPECT_DOUBLE_EQ(JetFunctions::val(QStringLiteral("12,5")), 12);
}

// As the classic engine without its fail-on-error option: rows that would break a key
// are skipped, the others are stored.
TEST(Engine, ExecuteSkipsRowsThatBreakAKey)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    ASSERT_TRUE(db->execute(QStringLiteral("INSERT INTO Art (Nr, Groep) SELECT Nr + 10, 'n' FROM Art")));
    EXPECT_EQ(db->recordsAffected(), 1);
    auto rs = db->openRecordset(QStringLiteral("SELECT Nr FROM Art WHERE Groep = 'N'"));
    ASSERT_EQ(rs->recordCount(), 1);
    EXPECT_EQ(rs->value(0).toInt(), 60);
    ASSERT_TRUE(db->execute(QStringLiteral("UPDATE Art SET Nr = 10 WHERE Nr = 60")));
    EXPECT_EQ(db->recordsAffected(), 0);
}

TEST(Engine, ForEachRowVisitsTheIndexOrderInOnePass)
{
    test::TestDir dir;
    auto db = smallDb(dir.file(QStringLiteral("a.mdb")));
    auto rs = db->openRecordset(QStringLiteral("Art"), Recordset::Table);
    ASSERT_TRUE(rs->setIndex(QStringLiteral("GroupKey"))); // with a null and equal keys in other letter case
    const QList<int> moved = walk(*rs);
    const int nr = rs->fieldIndex(QStringLiteral("Nr"));
    const int groep = rs->fieldIndex(QStringLiteral("Groep"));
    QList<int> visited;
    QList<bool> priceRead;
    ASSERT_TRUE(rs->forEachRow({nr, groep}, [&] {
        visited << rs->value(nr).toInt();
        priceRead << rs->value(QStringLiteral("Prijs")).isValid();
        return true;
    }));
    EXPECT_EQ(visited, moved);
    EXPECT_EQ(priceRead, QList<bool>(moved.size(), false)) << "only the asked columns are read";
    EXPECT_TRUE(rs->eof());

    // Stopped early, it stands on that row with every value.
    visited.clear();
    ASSERT_TRUE(rs->forEachRow({nr}, [&] {
        visited << rs->value(nr).toInt();
        return visited.size() < 3;
    }));
    EXPECT_EQ(visited, moved.mid(0, 3));
    EXPECT_EQ(rs->value(nr).toInt(), moved[2]);
    EXPECT_TRUE(rs->value(QStringLiteral("Prijs")).isValid());
    ASSERT_TRUE(rs->moveNext());
    EXPECT_EQ(rs->value(nr).toInt(), moved[3]);
}
