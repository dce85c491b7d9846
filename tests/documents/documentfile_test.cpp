// The held document file and its sound save.
#include "documents/documentfile.h"

#include "app/core/quickpak.h"
#include "testdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace vandrel;
namespace fe = quickpak::fileerror;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

// Lowers the file-size limit for its lifetime: writes past it fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit l = previous_;
        l.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &l);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit previous_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

TEST(DocumentFile, HeldFileKeepsOthersFromWriting)
{
    test::TestDir dir;
    const QString path = dir.file("order.vdb");
    writeBytes(path, "inhoud\r\x1a");

    DocumentFile first;
    QByteArray content;
    int error = -1;
    ASSERT_TRUE(first.open(path, content, error));
    EXPECT_EQ(content, QByteArray("inhoud\r\x1a"));
    EXPECT_TRUE(first.isHeld());

    DocumentFile second;
    EXPECT_FALSE(second.open(path, content, error));
    EXPECT_EQ(error, fe::PermissionDenied);
    EXPECT_FALSE(second.isHeld());
    // Nor can the second one save over it.
    EXPECT_FALSE(second.save(path, "anders", error));
    EXPECT_EQ(readBytes(path), QByteArray("inhoud\r\x1a"));

    first.release();
    EXPECT_TRUE(second.open(path, content, error));

    DocumentFile missing;
    EXPECT_FALSE(missing.open(dir.file("nergens.vdb"), content, error));
    EXPECT_EQ(error, fe::FileNotFound);
}

TEST(DocumentFile, SaveReplacesAndHoldsTheNewFile)
{
    test::TestDir dir;
    const QString path = dir.file("order.vdb");
    writeBytes(path, "oud");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(path);

    DocumentFile file;
    QByteArray content;
    int error = -1;
    ASSERT_TRUE(file.open(path, content, error));
    ASSERT_TRUE(file.save(path, "nieuw\r\x1a", error));
    EXPECT_EQ(error, fe::None);
    EXPECT_EQ(readBytes(path), QByteArray("nieuw\r\x1a"));
    EXPECT_EQ(QFile::permissions(path), permissions);
    EXPECT_TRUE(file.isHeld());
    DocumentFile other;
    EXPECT_FALSE(other.open(path, content, error)); // held again after the save

    // A new file in a new name; nothing left beside it.
    const QString fresh = dir.file("nieuw.vdb");
    ASSERT_TRUE(file.save(fresh, "x", error));
    EXPECT_EQ(file.path(), fresh);
    EXPECT_EQ(filesIn(dir.path()), QStringList({"nieuw.vdb", "order.vdb"}));

    EXPECT_FALSE(file.save(dir.file("geen/map/order.vdb"), "x", error));
    EXPECT_EQ(error, fe::PathNotFound);
}

TEST(DocumentFile, FailedWriteLeavesThePreviousFileIntact)
{
    test::TestDir dir;
    const QString path = dir.file("order.vdb");
    const QByteArray old = "vorige versie\r\x1a";
    writeBytes(path, old);
    DocumentFile file;
    QByteArray content;
    int error = -1;
    ASSERT_TRUE(file.open(path, content, error));
    {
        FileSizeLimit limit(4096); // the new content breaks off half way
        EXPECT_FALSE(file.save(path, QByteArray(64 * 1024, 'n'), error));
    }
    EXPECT_EQ(error, fe::DiskFull);
    EXPECT_EQ(readBytes(path), old);
    EXPECT_EQ(filesIn(dir.path()), QStringList({"order.vdb"})); // no half-written file beside it
    EXPECT_FALSE(file.isHeld());
}
