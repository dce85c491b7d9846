#include "catalogdb/connection.h"
#include "catalogdb/database.h"
#include "catalogdb/journalmode.h"

#include "testdir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>

using namespace vandrel;

namespace {

QString journalOf(Database& db)
{
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db.connection()->handle(), "PRAGMA journal_mode", -1, &s, nullptr);
    QString mode;
    if (sqlite3_step(s) == SQLITE_ROW)
        mode = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return mode;
}

} // namespace

TEST(JournalMode, NetworkFileSystemsAreRecognisedByType)
{
    const struct {
        qint64 magic;
        bool network;
        const char* what;
    } cases[] = {
        {0x6969, true, "nfs"},        {0xFF534D42, true, "cifs"},  {0xFE534D42, true, "smb2"},
        {0x517B, true, "smbfs"},      {0x65735546, true, "fuse"},  {0x01021997, true, "9p"},
        {0xEF53, false, "ext4"},      {0x01021994, false, "tmpfs"}, {0x58465342, false, "xfs"},
        {0x9123683E, false, "btrfs"}, {0x4D44, false, "vfat"},     {0x5346544E, false, "ntfs"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isNetworkFileSystemType(c.magic), c.network) << c.what;
}

TEST(JournalMode, OpenUsesTheChosenJournalAndTwoCopiesShareTheFile)
{
    test::TestDir dir;
    const QString file = dir.file(QStringLiteral("a.mdb"));
    const QString expected = journalModeFor(file) == JournalMode::WriteAheadLog ? QStringLiteral("wal")
                                                                                : QStringLiteral("delete");
    {
        auto first = Database::create(file);
        ASSERT_TRUE(first);
        EXPECT_EQ(journalOf(*first), expected);
        ASSERT_TRUE(first->execute(QStringLiteral("CREATE TABLE T (N INTEGER)")));
        auto second = Database::open(file);
        ASSERT_TRUE(second);
        EXPECT_EQ(journalOf(*second), expected);
        // A write of one copy inside its transaction does not stop the other from reading,
        // and each sees the other's committed rows.
        ASSERT_TRUE(first->beginTrans());
        ASSERT_TRUE(first->execute(QStringLiteral("INSERT INTO T VALUES (1)")));
        auto before = second->openRecordset(QStringLiteral("SELECT N FROM T"));
        ASSERT_TRUE(before);
        EXPECT_EQ(before->recordCount(), 0);
        ASSERT_TRUE(first->commitTrans());
        ASSERT_TRUE(second->execute(QStringLiteral("INSERT INTO T VALUES (2)")));
        auto after = first->openRecordset(QStringLiteral("SELECT N FROM T"));
        EXPECT_EQ(after->recordCount(), 2);
    }
    // With every copy closed the database is one file again, to copy or replace.
    EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(file + QStringLiteral("-journal")));
    auto again = Database::open(file);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->openRecordset(QStringLiteral("SELECT N FROM T"))->recordCount(), 2);
}
