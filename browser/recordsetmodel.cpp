#include "browser/recordsetmodel.h"

#include <QDateTime>
#include <QMimeData>

namespace vandrel {

RecordsetModel::RecordsetModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordsetModel::setRecordset(Recordset* recordset)
{
    beginResetModel();
    recordset_ = recordset;
    cache_.clear();
    cacheOrder_.clear();
    fields_.clear();
    formats_.clear();
    alignments_.clear();
    rows_ = 0;
    if (recordset_) {
        fields_ = recordset_->fieldNames();
        rows_ = int(std::min<qint64>(recordset_->recordCount(), std::numeric_limits<int>::max()));
    }
    endResetModel();
}

void RecordsetModel::invalidate()
{
    beginResetModel();
    cache_.clear();
    cacheOrder_.clear();
    rows_ = recordset_ ? int(recordset_->recordCount()) : 0;
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(fields_.size());
}

const RecordsetModel::Block* RecordsetModel::blockFor(int row) const
{
    if (!recordset_ || row < 0 || row >= rows_)
        return nullptr;
    const int key = row / blockSize;
    auto it = cache_.find(key);
    if (it != cache_.end())
        return &it.value();
    // Reading a block moves the recordset; its current row is the caller's, so put it back.
    const Recordset::Bookmark current = recordset_->hasCurrent() ? recordset_->bookmark() : -1;
    Block block;
    if (recordset_->setAbsolutePosition(qint64(key) * blockSize)) {
        const int n = fields_.size();
        for (int i = 0; i < blockSize && recordset_->hasCurrent(); ++i) {
            QVariantList values;
            values.reserve(n);
            for (int c = 0; c < n; ++c)
                values << recordset_->value(c);
            block.rows << values;
            block.bookmarks << recordset_->bookmark();
            if (!recordset_->moveNext())
                break;
        }
    }
    if (current >= 0)
        recordset_->setBookmark(current);
    if (cacheOrder_.size() >= maxCachedBlocks)
        cache_.remove(cacheOrder_.takeFirst());
    cacheOrder_ << key;
    return &cache_.insert(key, block).value();
}

QVariant RecordsetModel::value(int row, int column) const
{
    const Block* b = blockFor(row);
    const int inBlock = row % blockSize;
    if (!b || inBlock >= b->rows.size() || column < 0 || column >= b->rows[inBlock].size())
        return {};
    return b->rows[inBlock][column];
}

Recordset::Bookmark RecordsetModel::bookmarkOf(int row) const
{
    const Block* b = blockFor(row);
    const int inBlock = row % blockSize;
    if (!b || inBlock >= b->bookmarks.size())
        return -1;
    return b->bookmarks[inBlock];
}

QString RecordsetModel::formatValue(const QVariant& value, const QString& numberFormat,
                                    const QLocale& locale)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (numberFormat == QLatin1String("0000000")) {
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (ok)
            return QStringLiteral("%1").arg(n, 7, 10, QLatin1Char('0'));
    } else if (numberFormat == QLatin1String("Standard")) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (ok)
            return locale.toString(d, 'f', 2);
    }
    if (value.typeId() == QMetaType::Double)
        return locale.toString(value.toDouble(), 'g', 15);
    if (value.typeId() == QMetaType::QDateTime)
        return locale.toString(value.toDateTime(), QLocale::ShortFormat);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("Waar") : QStringLiteral("Onwaar");
    return value.toString();
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return formatValue(value(index.row(), index.column()), numberFormat(index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        switch (alignment(index.column())) {
        case columnlayout::AlignLeft: return int(Qt::AlignLeft | Qt::AlignVCenter);
        case columnlayout::AlignRight: return int(Qt::AlignRight | Qt::AlignVCenter);
        case columnlayout::AlignGeneral: {
            const QVariant v = value(index.row(), index.column());
            const bool number = v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                                v.typeId() == QMetaType::Double;
            return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        }
    }
    return {};
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // The full name as tooltip too: narrow columns show it cut short.
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (orientation == Qt::Horizontal)
        return fieldName(section);
    return {};
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList RecordsetModel::mimeTypes() const
{
    return {QStringLiteral("application/x-vandrel-articles")};
}

QMimeData* RecordsetModel::mimeData(const QModelIndexList& indexes) const
{
    // The drop target reads the rows through the source grid; this only carries the
    // row numbers in the order selected.
    QByteArray rows;
    QList<int> seen;
    for (const QModelIndex& i : indexes) {
        if (!seen.contains(i.row())) {
            seen << i.row();
            rows += QByteArray::number(i.row()) + '\n';
        }
    }
    auto* mime = new QMimeData;
    mime->setData(mimeTypes().first(), rows);
    return mime;
}

QString RecordsetModel::fieldName(int column) const
{
    return column >= 0 && column < fields_.size() ? fields_[column] : QString();
}

int RecordsetModel::columnOf(const QString& fieldName) const
{
    for (int i = 0; i < fields_.size(); ++i) {
        if (fields_[i].compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecordsetModel::setNumberFormat(int column, const QString& format)
{
    formats_[column] = format;
    emit dataChanged(index(0, column), index(std::max(0, rows_ - 1), column));
}

QString RecordsetModel::numberFormat(int column) const { return formats_.value(column); }

void RecordsetModel::setAlignment(int column, Alignment alignment)
{
    alignments_[column] = alignment;
    emit dataChanged(index(0, column), index(std::max(0, rows_ - 1), column));
}

RecordsetModel::Alignment RecordsetModel::alignment(int column) const
{
    return alignments_.value(column, columnlayout::AlignGeneral);
}

} // namespace vandrel
