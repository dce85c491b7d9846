#include "catalogdb/catalogreorganisation.h"

#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/jetfunctions.h"
#include "catalogdb/scanfile.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <limits>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vandrel {

namespace {

const QString title = QStringLiteral("Reorganiseren artikelgegevens");

// A raw connection, closed with its scope.
struct RawDb {
    sqlite3* db = nullptr;
    RawDb() = default;
    RawDb(const RawDb&) = delete;
    RawDb& operator=(const RawDb&) = delete;
    ~RawDb() { close(); }
    int open(const QString& file, int flags)
    {
        return sqlite3_open_v2(QFile::encodeName(QDir::toNativeSeparators(file)).constData(), &db,
                               flags | SQLITE_OPEN_NOMUTEX, nullptr);
    }
    void close()
    {
        if (db)
            sqlite3_close_v2(db);
        db = nullptr;
    }
    int exec(const char* sql) const { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }
};

struct Statement {
    sqlite3_stmt* s = nullptr;
    Statement(sqlite3* db, const QString& sql)
    {
        const QByteArray u = sql.toUtf8();
        if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &s, nullptr) != SQLITE_OK)
            s = nullptr;
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(s); }
    explicit operator bool() const { return s != nullptr; }
};

bool isBusy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

// The problems integrity_check reports; empty when the database is sound. A check that
// cannot even run counts as a problem.
QStringList integrityProblems(sqlite3* db, const char* pragma = "PRAGMA integrity_check(20)")
{
    Statement st(db, QString::fromLatin1(pragma));
    if (!st)
        return {QString::fromUtf8(sqlite3_errmsg(db))};
    QStringList rows;
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW)
        rows << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0)));
    if (rc != SQLITE_DONE)
        rows << QString::fromUtf8(sqlite3_errmsg(db));
    if (rows == QStringList{QStringLiteral("ok")})
        return {};
    return rows;
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// Copies every row of table that can be read from `from` into the same table of `to`.
// Damaged pages are stepped over: after a read error the copy goes on at the next
// rowids, in growing steps, until a readable part or the end is found.
qint64 copyReadableRows(sqlite3* from, sqlite3* to, const QString& table)
{
    QStringList columns;
    {
        Statement info(to, QStringLiteral("PRAGMA table_info(") + quoted(table) + QLatin1Char(')'));
        while (info && sqlite3_step(info.s) == SQLITE_ROW)
            columns << quoted(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(info.s, 1))));
    }
    if (columns.isEmpty())
        return 0;
    const QString list = columns.join(QStringLiteral(", "));
    Statement read(from, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ?1 ORDER BY rowid").arg(list, quoted(table)));
    QStringList marks;
    for (int i = 0; i <= columns.size(); ++i)
        marks << QStringLiteral("?%1").arg(i + 1);
    Statement write(to, QStringLiteral("INSERT OR IGNORE INTO %1 (rowid, %2) VALUES (%3)")
                            .arg(quoted(table), list, marks.join(QStringLiteral(", "))));
    if (!read || !write)
        return 0;

    qint64 copied = 0;
    qint64 next = std::numeric_limits<qint64>::min();
    qint64 lastRead = 0;
    bool anyRead = false;
    qint64 step = 1;
    for (int attempt = 0; attempt < 200; ++attempt) {
        sqlite3_reset(read.s);
        sqlite3_bind_int64(read.s, 1, next);
        bool progressed = false;
        int rc;
        while ((rc = sqlite3_step(read.s)) == SQLITE_ROW) {
            lastRead = sqlite3_column_int64(read.s, 0);
            anyRead = progressed = true;
            sqlite3_reset(write.s);
            for (int i = 0; i <= columns.size(); ++i)
                sqlite3_bind_value(write.s, i + 1, sqlite3_column_value(read.s, i));
            if (sqlite3_step(write.s) == SQLITE_DONE && sqlite3_changes(to) > 0)
                ++copied;
            if ((copied & 0xfff) == 0)
                pumpEvents();
        }
        if (rc == SQLITE_DONE)
            break;
        // A damaged part: try further on.
        step = progressed ? 1 : step * 2;
        const qint64 base = anyRead ? lastRead : 0;
        if (step > (qint64(1) << 40) || base > std::numeric_limits<qint64>::max() - step)
            break;
        next = base + step;
    }
    return copied;
}

struct Recovery {
    bool ok = false;
    qint64 rows = 0;
    QString error;
};

// Builds destination from what can be read of the catalog: the schema, then the rows of
// every table, then indexes, views and triggers.
Recovery recoverInto(sqlite3* catalog, const QString& destination)
{
    Recovery r;
    struct Item {
        QString type, name, sql;
    };
    QList<Item> items;
    {
        Statement schema(catalog, QStringLiteral("SELECT type, name, sql FROM sqlite_master "
                                                 "WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                                 "ORDER BY rowid"));
        if (!schema) {
            r.error = QString::fromUtf8(sqlite3_errmsg(catalog));
            return r;
        }
        int rc;
        while ((rc = sqlite3_step(schema.s)) == SQLITE_ROW) {
            auto text = [&](int i) { return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(schema.s, i))); };
            items.append({text(0), text(1), text(2)});
        }
        if (rc != SQLITE_DONE) {
            r.error = QString::fromUtf8(sqlite3_errmsg(catalog));
            return r;
        }
    }
    RawDb out;
    if (out.open(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) != SQLITE_OK) {
        r.error = out.error();
        return r;
    }
    out.exec("PRAGMA journal_mode=OFF"); // a fresh file: nothing to roll back to
    out.exec("PRAGMA synchronous=OFF");  // synced as a whole before it replaces anything
    // The tables are created with their collations; the engine's own functions are not
    // needed to copy rows.
    out.exec("BEGIN");
    for (const Item& item : std::as_const(items)) {
        if (item.type != QLatin1String("table"))
            continue;
        if (sqlite3_exec(out.db, item.sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            r.error = out.error();
            return r;
        }
        r.rows += copyReadableRows(catalog, out.db, item.name);
    }
    for (const Item& item : std::as_const(items)) {
        if (item.type == QLatin1String("table"))
            continue;
        if (sqlite3_exec(out.db, item.sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            r.error = out.error();
            return r;
        }
    }
    if (out.exec("COMMIT") != SQLITE_OK) {
        r.error = out.error();
        return r;
    }
    r.ok = true;
    return r;
}

bool syncPath(const QString& path, bool directory)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(path).constData(), directory ? O_RDONLY | O_DIRECTORY : O_RDWR);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    Q_UNUSED(directory);
    QFile f(path);
    return directory || (f.open(QIODevice::ReadWrite) && f.flush());
#endif
}

} // namespace

CatalogReorganisation::CatalogReorganisation(const QString& directory, ProgressMeter& meter)
    : directory_(directory), meter_(meter)
{
}

CatalogReorganisation::Result CatalogReorganisation::run()
{
    const QString catalogFile = quickpak::localPath(directory_ + catalogDatabaseName);
    const QString tempFile = QFileInfo(catalogFile).absolutePath() + QLatin1Char('/') + temporaryName;
    Result result;
    const auto failed = [&](const QString& text) {
        QFile::remove(tempFile);
        result.outcome = Outcome::Failed;
        result.message = text;
        return result;
    };
    const auto inUse = [&] {
        QFile::remove(tempFile);
        result.outcome = Outcome::InUse;
        result.message = QStringLiteral("De artikelgegevens zijn in gebruik door een ander exemplaar van de Vandrel "
                                        "Catalogus (op deze of een andere computer). Sluit dat programma en kies "
                                        "daarna opnieuw voor reorganiseren. Er is niets gewijzigd.");
        return result;
    };

    meter_.open(title, QStringLiteral("Verwerken database: controle/reparatie..."));
    meter_.refresh();

    if (!QFileInfo::exists(catalogFile))
        return failed(QStringLiteral("De artikeldatabase '%1' is niet gevonden.").arg(QDir::toNativeSeparators(catalogFile)));
    QFile::remove(tempFile); // left by an earlier run that was cut short

    RawDb catalog;
    int rc = catalog.open(catalogFile, SQLITE_OPEN_READWRITE);
    if (rc != SQLITE_OK)
        return isBusy(rc) ? inUse() : failed(QStringLiteral("De artikeldatabase kan niet worden geopend: ") + catalog.error());
    sqlite3_extended_result_codes(catalog.db, 1);
    sqlite3_busy_timeout(catalog.db, busyTimeoutMs_);
    JetFunctions::registerAll(catalog.db);

    // Rollback journal: a WAL file cannot follow the catalog to its new file, and leaving
    // WAL mode fails while another copy has the file open.
    {
        Statement mode(catalog.db, QStringLiteral("PRAGMA journal_mode=DELETE"));
        rc = mode ? sqlite3_step(mode.s) : SQLITE_ERROR;
        if (rc != SQLITE_ROW)
            return isBusy(sqlite3_extended_errcode(catalog.db)) ? inUse()
                                                                : failed(QStringLiteral("De artikeldatabase kan niet "
                                                                                        "worden gelezen: ") + catalog.error());
        if (QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(mode.s, 0))) != QLatin1String("delete"))
            return inUse();
    }

    // 1. Check and repair, under an exclusive lock.
    rc = catalog.exec("BEGIN EXCLUSIVE");
    if (rc != SQLITE_OK)
        return isBusy(rc) ? inUse() : failed(QStringLiteral("De artikeldatabase kan niet worden gelezen: ") + catalog.error());
    bool recover = false;
    if (!integrityProblems(catalog.db).isEmpty()) {
        // Damaged indexes are rebuilt from their tables; damaged tables are not.
        recover = catalog.exec("REINDEX") != SQLITE_OK || !integrityProblems(catalog.db).isEmpty();
    } else if (catalog.exec("REINDEX") != SQLITE_OK) {
        const QString why = catalog.error();
        catalog.exec("ROLLBACK");
        return failed(QStringLiteral("Het herstellen van de indexen is mislukt: ") + why);
    }
    if (recover) {
        catalog.exec("ROLLBACK"); // the recovery reads what is there
    } else if (catalog.exec("COMMIT") != SQLITE_OK) {
        const QString why = catalog.error();
        catalog.exec("ROLLBACK");
        return failed(QStringLiteral("Het herstellen van de artikeldatabase is mislukt: ") + why);
    }
    meter_.setPercent(50);
    meter_.setLabel(QStringLiteral("Verwerken database: compressie..."));
    meter_.refresh();

    // 2. Hold the file from here until it is replaced: exclusive locking mode keeps the
    // lock the next transaction takes.
    catalog.exec("PRAGMA locking_mode=EXCLUSIVE");
    rc = catalog.exec("BEGIN EXCLUSIVE");
    if (rc == SQLITE_OK)
        rc = catalog.exec("COMMIT");
    if (rc != SQLITE_OK)
        return isBusy(rc) ? inUse() : failed(QStringLiteral("De artikeldatabase kan niet worden gelezen: ") + catalog.error());

    // 3. Compact (or recover) into the temporary file.
    if (recover) {
        const Recovery r = recoverInto(catalog.db, tempFile);
        if (!r.ok)
            return failed(QStringLiteral("De artikeldatabase is beschadigd en kan niet worden hersteld: ") + r.error);
        result.rowsRecovered = r.rows;
    } else {
        Statement vacuum(catalog.db, QStringLiteral("VACUUM INTO ?1"));
        const QByteArray target = QDir::toNativeSeparators(tempFile).toUtf8();
        if (vacuum)
            sqlite3_bind_text(vacuum.s, 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
        if (!vacuum || sqlite3_step(vacuum.s) != SQLITE_DONE)
            return failed(QStringLiteral("Het comprimeren van de artikeldatabase is mislukt: ") + catalog.error());
    }
    {
        RawDb check;
        if (check.open(tempFile, SQLITE_OPEN_READONLY) != SQLITE_OK || !integrityProblems(check.db, "PRAGMA quick_check").isEmpty())
            return failed(QStringLiteral("De gecomprimeerde artikeldatabase is niet in orde; de oude is bewaard."));
    }
    if (!syncPath(tempFile, false))
        return failed(QStringLiteral("Het tijdelijke bestand '%1' kan niet worden weggeschreven.").arg(QDir::toNativeSeparators(tempFile)));
    meter_.setPercent(75);
    meter_.refresh();

    // 4. Replace the catalog in one step, still holding its lock.
    if (beforeReplace_)
        beforeReplace_();
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(tempFile).toStdString()),
                            std::filesystem::path(QFile::encodeName(catalogFile).toStdString()), ec);
    if (ec)
        return failed(QStringLiteral("De artikeldatabase kan niet worden vervangen: ") + QString::fromLocal8Bit(ec.message()));
    syncPath(QFileInfo(catalogFile).absolutePath(), true);
    catalog.close();
    meter_.setPercent(100);
    meter_.refresh();

    // 5. A fresh scan file from the new catalog.
    std::unique_ptr<Database> fresh = Database::open(catalogFile);
    std::unique_ptr<Recordset> products =
        fresh ? fresh->openRecordset(QStringLiteral("Products"), Recordset::Table) : nullptr;
    int scanError = -1;
    if (products && products->setIndex(QStringLiteral("PrimaryKey"))) {
        fresh->beginTrans();
        scanError = BuildScanFile(directory_ + scanFileName, *products, QStringLiteral("ArtikelNr"),
                                  QStringLiteral("Beschrijving"), &meter_);
        fresh->commitTrans();
    }
    products.reset();
    fresh.reset();
    PendingError::clear();
    if (scanError != 0) {
        result.outcome = Outcome::Failed;
        result.message = QStringLiteral("De artikeldatabase is gereorganiseerd, maar het zoekbestand kon niet worden "
                                        "opgebouwd (fout %1).").arg(scanError);
        return result;
    }
    result.outcome = recover ? Outcome::Recovered : Outcome::Done;
    if (recover)
        result.message = QStringLiteral("De artikeldatabase was beschadigd. Alle leesbare gegevens (%1 regels) zijn "
                                        "hersteld. Voer een artikel-update uit om ontbrekende artikelen aan te vullen.")
                             .arg(result.rowsRecovered);
    return result;
}

} // namespace vandrel
