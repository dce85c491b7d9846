#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace vandrel {

// A help book: a folder of Dutch HTML pages with
//   "inhoud.txt"     the contents, one line per entry: level|title|page  (level 0 = top)
//   "onderwerpen.txt" optional topic numbers: number|page
// Lines are UTF-8; empty lines and lines starting with "#" are skipped.
struct HelpEntry {
    int level = 0;
    QString title;
    QString page; // file name inside the book's folder
};

class HelpBook {
public:
    // Empty (not valid) when the folder holds no "inhoud.txt".
    static HelpBook load(const QString& directory);

    bool isValid() const { return !contents_.isEmpty(); }
    const QString& directory() const { return directory_; }
    const QList<HelpEntry>& contents() const { return contents_; }
    // The first entry: the book's start page and title.
    QString title() const;
    QString startPage() const;
    // Full path of a page of this book.
    QString path(const QString& page) const;
    // The page of a topic number, or "" when the book has none for it.
    QString topicPage(int number) const { return topics_.value(number); }
    // Every page of the book (the contents' pages and any other .html file).
    QStringList pages() const;

private:
    QString directory_;
    QList<HelpEntry> contents_;
    QHash<int, QString> topics_;
};

struct HelpHit {
    QString path;  // full path of the page
    QString title; // the page's <title>
    int count = 0; // how often the words occur
};

// The books the help window shows: the program's own and the wholesaler's.
class HelpLibrary {
public:
    // The program's book is "help" in the HelpFile folder, the program directory or the
    // installation's share folder (../share/vandrel-catalogus/help), the first that
    // holds one; the wholesaler's is "groothandel" in the HelpFile folder.
    static HelpLibrary find(const QString& helpFolder, const QString& programDirectory);
    // Where the program's book is looked for, in order.
    static QStringList programBookCandidates(const QString& helpFolder,
                                             const QString& programDirectory);

    void addBook(const HelpBook& book);
    const QList<HelpBook>& books() const { return books_; }
    bool isEmpty() const { return books_.isEmpty(); }

    // Full path of the page of a topic number (the wholesaler's book first); "" if none.
    QString topicPath(int number) const;
    // Full path of a page of the program's book; "" when there is no such page.
    QString pagePath(const QString& page) const;
    // Pages holding every word of the text (letter case and accents ignored), most hits
    // first.
    QList<HelpHit> search(const QString& text) const;
    static QString pageTitle(const QString& path);

private:
    QList<HelpBook> books_;
    mutable QHash<QString, QString> plainText_; // path -> folded page text
};

} // namespace vandrel
