#pragma once

#include "browser/columnlayout.h"
#include "catalogdb/recordset.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>
#include <QVector>

namespace vandrel {

// Shows a recordset in a grid. Rows are read in blocks when the view asks for them, so a
// list of the whole catalog opens at once.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Alignment = columnlayout::Alignment;

    explicit RecordsetModel(QObject* parent = nullptr);

    // Not owned; nullptr empties the model.
    void setRecordset(Recordset* recordset);
    Recordset* recordset() const { return recordset_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;

    QString fieldName(int column) const;
    int columnOf(const QString& fieldName) const;
    // The raw value of a cell.
    QVariant value(int row, int column) const;
    Recordset::Bookmark bookmarkOf(int row) const;

    // "0000000", "Standard" or "" (as stored).
    void setNumberFormat(int column, const QString& format);
    QString numberFormat(int column) const;
    void setAlignment(int column, Alignment alignment);
    Alignment alignment(int column) const;

    // Forgets the cached rows (after the recordset changed underneath).
    void invalidate();

    static QString formatValue(const QVariant& value, const QString& numberFormat,
                               const QLocale& locale = QLocale());

private:
    struct Block {
        QVector<QVariantList> rows;
        QVector<Recordset::Bookmark> bookmarks;
    };
    const Block* blockFor(int row) const;

    static constexpr int blockSize = 128;
    static constexpr int maxCachedBlocks = 64;
    Recordset* recordset_ = nullptr;
    int rows_ = 0;
    QStringList fields_;
    QHash<int, QString> formats_;
    QHash<int, Alignment> alignments_;
    mutable QHash<int, Block> cache_;
    mutable QList<int> cacheOrder_;
};

} // namespace vandrel
