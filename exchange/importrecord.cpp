#include "exchange/importrecord.h"

#include "catalogdb/database.h"
#include "catalogdb/engineerror.h"
#include "catalogdb/recordset.h"

namespace vandrel {

const QString ImportRecord::tableName = QStringLiteral("ImportStatus");

namespace {

const QString underWay = QStringLiteral("bezig");
const QString done = QStringLiteral("gereed");

bool ensureTable(Database& catalog)
{
    if (catalog.tableDef(ImportRecord::tableName))
        return true;
    PendingError::clear();
    return catalog.execute(QStringLiteral("CREATE TABLE ImportStatus (Status TEXT(10), Map MEMO, UpdateModus LONG, "
                                          "Gestart DATETIME, Gereed DATETIME, Artikelen LONG)"));
}

// The one row, positioned for edit (or a new one); null with the pending error set.
std::unique_ptr<Recordset> openRow(Database& catalog)
{
    auto rs = catalog.openRecordset(ImportRecord::tableName, Recordset::Dynaset);
    if (!rs)
        return nullptr;
    const bool ok = rs->hasCurrent() ? rs->edit() : rs->addNew();
    return ok ? std::move(rs) : nullptr;
}

} // namespace

bool ImportRecord::markStarted(Database& catalog, const QString& directory, bool updateMode)
{
    if (!ensureTable(catalog))
        return false;
    auto rs = openRow(catalog);
    return rs && rs->setValue(QStringLiteral("Status"), underWay) && rs->setValue(QStringLiteral("Map"), directory)
        && rs->setValue(QStringLiteral("UpdateModus"), updateMode ? -1 : 0)
        && rs->setValue(QStringLiteral("Gestart"), QDateTime::currentDateTimeUtc())
        && rs->setValue(QStringLiteral("Gereed"), QVariant()) && rs->setValue(QStringLiteral("Artikelen"), 0)
        && rs->update();
}

bool ImportRecord::markFinished(Database& catalog, qint64 articles)
{
    if (!ensureTable(catalog))
        return false;
    auto rs = openRow(catalog);
    return rs && rs->setValue(QStringLiteral("Status"), done)
        && rs->setValue(QStringLiteral("Gereed"), QDateTime::currentDateTimeUtc())
        && rs->setValue(QStringLiteral("Artikelen"), articles) && rs->update();
}

std::optional<ImportRecord::Entry> ImportRecord::read(Database& catalog)
{
    if (!catalog.tableDef(tableName)) {
        PendingError::clear();
        return std::nullopt;
    }
    auto rs = catalog.openRecordset(tableName, Recordset::Dynaset, Recordset::ReadOnly);
    if (!rs || !rs->hasCurrent()) {
        PendingError::clear();
        return std::nullopt;
    }
    Entry e;
    e.finished = rs->value(QStringLiteral("Status")).toString() == done;
    e.directory = rs->value(QStringLiteral("Map")).toString();
    e.updateMode = rs->value(QStringLiteral("UpdateModus")).toInt() != 0;
    e.started = rs->value(QStringLiteral("Gestart")).toDateTime();
    e.ended = rs->value(QStringLiteral("Gereed")).toDateTime();
    e.articles = rs->value(QStringLiteral("Artikelen")).toLongLong();
    return e;
}

bool ImportRecord::interrupted(Database& catalog)
{
    const auto e = read(catalog);
    return e && !e->finished;
}

} // namespace vandrel
