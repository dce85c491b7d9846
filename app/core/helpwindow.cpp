#include "app/core/helpwindow.h"

#include <algorithm>

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vandrel {

namespace {
QPointer<HelpWindow>& theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}
constexpr int pathRole = Qt::UserRole;
// The width a picture asks for (its width attribute, else its own), kept in its format.
constexpr int wantedWidthProperty = QTextFormat::UserProperty + 1;
} // namespace

HelpWindow* HelpWindow::existing()
{
    return theWindow().data();
}

HelpWindow* HelpWindow::instance(const HelpLibrary& library)
{
    if (!theWindow()) {
        theWindow() = new HelpWindow(library);
        theWindow()->setAttribute(Qt::WA_DeleteOnClose);
    }
    return theWindow().data();
}

HelpWindow::HelpWindow(const HelpLibrary& library, QWidget* parent)
    : QWidget(parent, Qt::Window), library_(library)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help - Vandrel Catalogus"));
    // A comfortable size that still fits a small screen.
    QSize size(960, 700);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);

    auto* buttons = new QHBoxLayout;
    const auto tool = [&](const QString& name, const QString& text, QStyle::StandardPixmap icon,
                          const QKeySequence& key) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setShortcut(key);
        b->setAutoRaise(true);
        buttons->addWidget(b);
        return b;
    };
    back_ = tool(QStringLiteral("helpBack"), QStringLiteral("&Terug"), QStyle::SP_ArrowBack,
                 QKeySequence(Qt::ALT | Qt::Key_Left));
    forward_ = tool(QStringLiteral("helpForward"), QStringLiteral("&Vooruit"),
                    QStyle::SP_ArrowForward, QKeySequence(Qt::ALT | Qt::Key_Right));
    QToolButton* home = tool(QStringLiteral("helpHome"), QStringLiteral("&Inhoud"),
                             QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home));
    buttons->addStretch();

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("helpTabs"));
    contents_ = new QTreeWidget;
    contents_->setObjectName(QStringLiteral("helpContents"));
    contents_->setHeaderHidden(true);
    tabs_->addTab(contents_, QStringLiteral("Inhoud"));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(QStringLiteral("Zoek naar woorden in de helpteksten:")));
    auto* searchRow = new QHBoxLayout;
    searchText_ = new QLineEdit;
    searchText_->setObjectName(QStringLiteral("helpSearchText"));
    searchText_->setClearButtonEnabled(true);
    auto* searchButton = new QPushButton(QStringLiteral("&Zoeken"));
    searchButton->setObjectName(QStringLiteral("helpSearchButton"));
    searchRow->addWidget(searchText_, 1);
    searchRow->addWidget(searchButton);
    searchLayout->addLayout(searchRow);
    resultCount_ = new QLabel;
    resultCount_->setObjectName(QStringLiteral("helpResultCount"));
    resultCount_->setWordWrap(true);
    searchLayout->addWidget(resultCount_);
    results_ = new QListWidget;
    results_->setObjectName(QStringLiteral("helpSearchResults"));
    searchLayout->addWidget(results_, 1);
    searchLayout->setContentsMargins(4, 4, 4, 4);
    tabs_->addTab(searchPage, QStringLiteral("Zoeken"));

    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    // The contents keep about a quarter of a narrow window; the page gets the rest.
    splitter->setSizes({std::clamp(size.width() / 4, 160, 260), size.width()});
    splitter->setChildrenCollapsible(false);
    tabs_->setMinimumWidth(150);
    browser_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->setContentsMargins(6, 6, 6, 6);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] {
        if (!library_.isEmpty())
            showPage(library_.books().first().path(library_.books().first().startPage()));
    });
    connect(browser_, &QTextBrowser::backwardAvailable, this, [this] { updateButtons(); });
    connect(browser_, &QTextBrowser::forwardAvailable, this, [this] { updateButtons(); });
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        fitPictures();
        selectInContents(url.toLocalFile());
        updateButtons();
    });
    connect(contents_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && !item->data(0, pathRole).toString().isEmpty() &&
            item->data(0, pathRole).toString() != currentPath())
            browser_->setSource(QUrl::fromLocalFile(item->data(0, pathRole).toString()));
    });
    connect(searchButton, &QPushButton::clicked, this, &HelpWindow::search);
    connect(searchText_, &QLineEdit::returnPressed, this, &HelpWindow::search);
    connect(results_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        browser_->setSource(QUrl::fromLocalFile(item->data(pathRole).toString()));
    });
    connect(results_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        browser_->setSource(QUrl::fromLocalFile(item->data(pathRole).toString()));
    });

    fillContents();
    updateButtons();
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == browser_->viewport() && event->type() == QEvent::Resize &&
        static_cast<QResizeEvent*>(event)->size().width() != static_cast<QResizeEvent*>(event)->oldSize().width())
        fitPictures();
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::fitPictures()
{
    QTextDocument* document = browser_->document();
    // The room a paragraph has: the pane less the page's margins and a little air.
    const qreal room = browser_->viewport()->width() - 2 * document->documentMargin() - 8;
    if (room < 40)
        return;
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    QList<Picture> changed; // gathered first: changing formats moves the fragments
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            qreal wanted = picture.doubleProperty(wantedWidthProperty);
            if (wanted <= 0) {
                wanted = picture.width();
                if (wanted <= 0) {
                    const QVariant image = document->resource(QTextDocument::ImageResource, QUrl(picture.name()));
                    wanted = image.canConvert<QImage>() ? image.value<QImage>().width() : image.value<QPixmap>().width();
                }
                if (wanted <= 0)
                    continue; // not loaded: nothing to fit
                picture.setProperty(wantedWidthProperty, wanted);
            }
            const qreal width = std::min(wanted, room);
            if (qFuzzyCompare(picture.width(), width) && !picture.hasProperty(QTextFormat::ImageHeight))
                continue;
            picture.setWidth(width);
            picture.clearProperty(QTextFormat::ImageHeight); // the height follows the width
            changed.append({fragment.position(), fragment.length(), picture});
        }
    }
    QTextCursor cursor(document);
    for (const Picture& p : changed) {
        cursor.setPosition(p.position);
        cursor.setPosition(p.position + p.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(p.format);
    }
}

void HelpWindow::fillContents()
{
    contents_->clear();
    for (int b = 0; b < library_.books().size(); ++b) {
        const HelpBook& book = library_.books()[b];
        // The program's book at the top level; a further book (the wholesaler's) under
        // its own first entry.
        QList<QTreeWidgetItem*> stack; // stack[k]: the last item of level k
        for (int i = 0; i < book.contents().size(); ++i) {
            const HelpEntry& e = book.contents()[i];
            const int level =
                std::min<int>(int(stack.size()), e.level + ((b > 0 && i > 0) ? 1 : 0));
            auto* item = new QTreeWidgetItem(QStringList{e.title});
            item->setData(0, pathRole, book.path(e.page));
            item->setToolTip(0, e.title);
            if (level == 0)
                contents_->addTopLevelItem(item);
            else
                stack[level - 1]->addChild(item);
            stack.resize(level);
            stack.append(item);
        }
    }
    contents_->expandAll();
}

void HelpWindow::selectInContents(const QString& path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (QFileInfo((*it)->data(0, pathRole).toString()).canonicalFilePath() == wanted) {
            const QSignalBlocker block(contents_);
            contents_->setCurrentItem(*it);
            return;
        }
    }
}

void HelpWindow::updateButtons()
{
    back_->setEnabled(browser_->isBackwardAvailable());
    forward_->setEnabled(browser_->isForwardAvailable());
}

QString HelpWindow::currentPath() const
{
    return browser_->source().toLocalFile();
}

void HelpWindow::showPage(const QString& path)
{
    tabs_->setCurrentIndex(0);
    if (QFileInfo(path).canonicalFilePath() != QFileInfo(currentPath()).canonicalFilePath() ||
        currentPath().isEmpty())
        browser_->setSource(QUrl::fromLocalFile(path));
    selectInContents(path);
    show();
    raise();
    activateWindow();
}

void HelpWindow::showSearch(const QString& text)
{
    tabs_->setCurrentIndex(1);
    if (browser_->source().isEmpty() && !library_.isEmpty())
        browser_->setSource(QUrl::fromLocalFile(
            library_.books().first().path(library_.books().first().startPage())));
    if (!text.isEmpty()) {
        searchText_->setText(text);
        search();
    }
    show();
    raise();
    activateWindow();
    searchText_->setFocus();
    searchText_->selectAll();
}

void HelpWindow::search()
{
    results_->clear();
    const QString text = searchText_->text().trimmed();
    if (text.isEmpty()) {
        resultCount_->setText(QString());
        return;
    }
    const QList<HelpHit> hits = library_.search(text);
    for (const HelpHit& h : hits) {
        auto* item = new QListWidgetItem(h.title, results_);
        item->setData(pathRole, h.path);
        item->setToolTip(h.title);
    }
    resultCount_->setText(
        hits.isEmpty()     ? QStringLiteral("Geen pagina's gevonden met \"%1\".").arg(text)
        : hits.size() == 1 ? QStringLiteral("1 pagina gevonden.")
                           : QStringLiteral("%1 pagina's gevonden.").arg(hits.size()));
}

} // namespace vandrel
