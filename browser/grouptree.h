#pragma once

#include "browser/groupfile.h"

#include <QTreeWidget>

namespace vandrel {

// The product group tree (Outline1): built once from GRPINFO.TXT.
class GroupTree : public QTreeWidget {
    Q_OBJECT
public:
    enum Picture { ClosedFolder = 0, OpenFolder = 1, Leaf = 2 };
    static constexpr int levelRole = Qt::UserRole + 1;
    static constexpr int itemDataRole = Qt::UserRole + 2;
    static constexpr int pictureRole = Qt::UserRole + 3;

    explicit GroupTree(QWidget* parent = nullptr);

    // Adds one item under the nearest item above it with a smaller level; level 99 or
    // item number 999 runs the finishing pass instead.
    void addItem(int level, int itemNumber, qint32 itemData, const QString& text);
    // Clears the tree and fills it from the entries, then runs the finishing pass.
    void build(const QList<GroupEntry>& entries);

    static qint32 itemData(const QTreeWidgetItem* item);
    static int level(const QTreeWidgetItem* item);
    static Picture picture(const QTreeWidgetItem* item);

signals:
    // A group without subgroups was chosen.
    void leafChosen(qint32 itemData, const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void finish();
    void setPicture(QTreeWidgetItem* item, Picture picture);
    void choose(QTreeWidgetItem* item);

    QList<QTreeWidgetItem*> lastAtLevel_; // index = level
    bool choosing_ = false;
    bool releaseAfterDoubleClick_ = false;
};

} // namespace vandrel
