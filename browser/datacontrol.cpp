#include "browser/datacontrol.h"

#include "browser/recordsetmodel.h"
#include "catalogdb/database.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace vandrel {

DataControl::DataControl(const QString& objectName, QWidget* parent)
    : QWidget(parent), model_(new RecordsetModel(this)), caption_(new QLabel(this))
{
    setObjectName(objectName);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const auto button = [this](const QString& name, const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* first = button(QStringLiteral("first"), QStringLiteral("|\u25C0"), QStringLiteral("Eerste"));
    QToolButton* previous = button(QStringLiteral("previous"), QStringLiteral("\u25C0"), QStringLiteral("Vorige"));
    QToolButton* next = button(QStringLiteral("next"), QStringLiteral("\u25B6"), QStringLiteral("Volgende"));
    QToolButton* last = button(QStringLiteral("last"), QStringLiteral("\u25B6|"), QStringLiteral("Laatste"));
    caption_->setFrameShape(QFrame::StyledPanel);
    caption_->setFrameShadow(QFrame::Sunken);
    caption_->setContentsMargins(6, 0, 6, 0);
    caption_->setObjectName(objectName + QStringLiteral("Caption"));
    layout->addWidget(first);
    layout->addWidget(previous);
    layout->addWidget(caption_, 1);
    layout->addWidget(next);
    layout->addWidget(last);
    // Every arrow pressed where it cannot go further says so, the first and last ones too.
    connect(first, &QToolButton::clicked, this, [this] {
        if (model_->rowCount() > 0 && currentRow_ == 0)
            emit navigatedPastEnd(false);
        else
            moveToRow(0);
    });
    connect(previous, &QToolButton::clicked, this, [this] {
        if (model_->rowCount() > 0 && currentRow_ <= 0)
            emit navigatedPastEnd(false);
        else
            moveToRow(currentRow_ - 1);
    });
    connect(next, &QToolButton::clicked, this, [this] {
        if (model_->rowCount() > 0 && currentRow_ >= model_->rowCount() - 1)
            emit navigatedPastEnd(true);
        else
            moveToRow(currentRow_ + 1);
    });
    connect(last, &QToolButton::clicked, this, [this] {
        if (model_->rowCount() > 0 && currentRow_ == model_->rowCount() - 1)
            emit navigatedPastEnd(true);
        else
            moveToRow(model_->rowCount() - 1);
    });
}

DataControl::~DataControl()
{
    model_->setRecordset(nullptr);
}

bool DataControl::refresh()
{
    model_->setRecordset(nullptr);
    recordset_.reset();
    currentRow_ = -1;
    if (!database_ || !database_->isOpen() || recordSource_.isEmpty()) {
        emit refreshed();
        return false;
    }
    recordset_ = database_->openRecordset(recordSource_, Recordset::Dynaset);
    model_->setRecordset(recordset_.get());
    if (recordset_ && recordset_->hasCurrent())
        currentRow_ = 0;
    emit refreshed();
    if (currentRow_ == 0)
        emit reposition();
    return recordset_ != nullptr;
}

void DataControl::closeRecordset()
{
    model_->setRecordset(nullptr);
    if (recordset_)
        recordset_->close();
    recordset_.reset();
    currentRow_ = -1;
}

qint64 DataControl::recordCount() const
{
    return model_->rowCount();
}

QString DataControl::caption() const { return caption_->text(); }

void DataControl::setCaption(const QString& caption) { caption_->setText(caption); }

bool DataControl::findFirst(const QString& criteria)
{
    if (!recordset_ || !recordset_->findFirst(criteria))
        return false;
    const qint64 position = recordset_->absolutePosition();
    if (position < 0)
        return false;
    currentRow_ = int(position);
    emit reposition();
    return true;
}

void DataControl::moveToRow(int row)
{
    if (!recordset_ || row < 0 || row >= model_->rowCount())
        return;
    const Recordset::Bookmark bookmark = model_->bookmarkOf(row);
    if (bookmark < 0 || !recordset_->setBookmark(bookmark))
        return;
    currentRow_ = row;
    emit reposition();
}

} // namespace vandrel
