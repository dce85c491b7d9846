#pragma once

#include "catalogdb/recordset.h"

#include <QWidget>

#include <memory>

class QLabel;
class QToolButton;

namespace vandrel {

class Database;
class RecordsetModel;

// A data control: a record source on a database, the recordset it opens, and a bar with
// the caption and the four move buttons. Grids show its model; moving to another row
// raises reposition() (the details follow it).
class DataControl : public QWidget {
    Q_OBJECT
public:
    explicit DataControl(const QString& objectName, QWidget* parent = nullptr);
    ~DataControl() override;

    void setDatabase(Database* database) { database_ = database; }
    Database* database() const { return database_; }
    void setRecordSource(const QString& source) { recordSource_ = source; }
    const QString& recordSource() const { return recordSource_; }

    // Opens the record source anew (a dynaset). False when it fails; the pending engine
    // error says why and the control is then empty.
    bool refresh();
    void closeRecordset();
    Recordset* recordset() const { return recordset_.get(); }
    RecordsetModel* model() const { return model_; }
    qint64 recordCount() const;

    QString caption() const;
    void setCaption(const QString& caption);

    // Moves the recordset to a row of the model and raises reposition().
    void moveToRow(int row);
    // Moves to the first row meeting the criteria (the engine's dialect); false when none.
    bool findFirst(const QString& criteria);
    int currentRow() const { return currentRow_; }

signals:
    void reposition();
    // An arrow was pressed at the end (forward) or the start of the rows.
    void navigatedPastEnd(bool forward);
    void refreshed();

private:
    Database* database_ = nullptr;
    QString recordSource_;
    std::unique_ptr<Recordset> recordset_;
    RecordsetModel* model_;
    QLabel* caption_;
    int currentRow_ = -1;
};

} // namespace vandrel
