#include "browser/grouptree.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

namespace vandrel {

GroupTree::GroupTree(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("Outline1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setIndentation(16);
    // One choice per click: a double click is a click followed by a double-click event,
    // which must not choose a second time (see mouseDoubleClickEvent).
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { choose(item); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        setPicture(item, item->childCount() > 0 ? OpenFolder : Leaf);
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        setPicture(item, item->childCount() > 0 ? ClosedFolder : Leaf);
    });
}

void GroupTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click of a double click has chosen already; the second press and its
    // release do nothing (no expanding, no "activated", no second click).
    releaseAfterDoubleClick_ = true;
    event->accept();
}

void GroupTree::mousePressEvent(QMouseEvent* event)
{
    releaseAfterDoubleClick_ = false; // a new click, whatever came before
    QTreeWidget::mousePressEvent(event);
}

void GroupTree::mouseReleaseEvent(QMouseEvent* event)
{
    if (releaseAfterDoubleClick_) {
        releaseAfterDoubleClick_ = false;
        event->accept();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
}

void GroupTree::keyPressEvent(QKeyEvent* event)
{
    // Enter chooses the current item, as a click does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        choose(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void GroupTree::addItem(int level, int itemNumber, qint32 data, const QString& text)
{
    if (level == 99 || itemNumber == 999) {
        finish();
        return;
    }
    if (itemNumber == 1)
        lastAtLevel_.clear();
    level = std::clamp(level, 1, 4);
    QTreeWidgetItem* parent = nullptr;
    for (int l = std::min<int>(level - 1, int(lastAtLevel_.size()) - 1); l >= 1 && !parent; --l)
        parent = lastAtLevel_.value(l);
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, levelRole, level);
    item->setData(0, itemDataRole, data);
    if (lastAtLevel_.size() <= level)
        lastAtLevel_.resize(level + 1);
    lastAtLevel_[level] = item;
    // Deeper items belong to an earlier parent no longer.
    for (int l = level + 1; l < lastAtLevel_.size(); ++l)
        lastAtLevel_[l] = nullptr;
}

void GroupTree::build(const QList<GroupEntry>& entries)
{
    clear();
    lastAtLevel_.clear();
    int number = 0;
    for (const GroupEntry& e : entries)
        addItem(e.level, ++number, e.itemData, e.text);
    addItem(99, 999, 0, QStringLiteral("dummy"));
}

void GroupTree::finish()
{
    QTreeWidgetItemIterator it(this);
    while (*it) {
        QTreeWidgetItem* item = *it;
        setPicture(item, item->childCount() == 0 ? Leaf : item->isExpanded() ? OpenFolder : ClosedFolder);
        ++it;
    }
}

void GroupTree::setPicture(QTreeWidgetItem* item, Picture picture)
{
    item->setData(0, pictureRole, int(picture));
    QStyle* s = style();
    switch (picture) {
    case ClosedFolder: item->setIcon(0, s->standardIcon(QStyle::SP_DirClosedIcon)); break;
    case OpenFolder: item->setIcon(0, s->standardIcon(QStyle::SP_DirOpenIcon)); break;
    case Leaf: item->setIcon(0, s->standardIcon(QStyle::SP_FileIcon)); break;
    }
}

void GroupTree::choose(QTreeWidgetItem* item)
{
    if (!item || choosing_)
        return;
    choosing_ = true;
    if (item->childCount() > 0)
        item->setExpanded(!item->isExpanded());
    else
        emit leafChosen(itemData(item), item->text(0));
    choosing_ = false;
}

qint32 GroupTree::itemData(const QTreeWidgetItem* item) { return item->data(0, itemDataRole).toInt(); }
int GroupTree::level(const QTreeWidgetItem* item) { return item->data(0, levelRole).toInt(); }
GroupTree::Picture GroupTree::picture(const QTreeWidgetItem* item)
{
    return Picture(item->data(0, pictureRole).toInt());
}

} // namespace vandrel
