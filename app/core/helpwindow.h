#pragma once

#include "app/core/helpbook.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;

namespace vandrel {

// The program's help window: the contents of the help books as a tree, a full-text
// search over their pages, and the page itself with back and forward. One window for
// the whole program (instance()).
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The one help window, made on first use over the library given then.
    static HelpWindow* instance(const HelpLibrary& library);
    static HelpWindow* existing();

    explicit HelpWindow(const HelpLibrary& library, QWidget* parent = nullptr);

    // Shows a page (full path) with the contents tab in front.
    void showPage(const QString& path);
    // Shows the search tab; a text given is searched at once.
    void showSearch(const QString& text = QString());
    // Runs the search in the search box.
    void search();

    QString currentPath() const;
    QTreeWidget* contentsTree() const { return contents_; }
    QListWidget* searchResults() const { return results_; }
    QTextBrowser* browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillContents();
    // Pictures wider than the page pane are shown narrower, so no page needs a
    // horizontal scroll bar; they grow back to the page's width when there is room.
    void fitPictures();
    void selectInContents(const QString& path);
    void updateButtons();

    HelpLibrary library_;
    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* searchText_;
    QListWidget* results_;
    QLabel* resultCount_;
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

} // namespace vandrel
