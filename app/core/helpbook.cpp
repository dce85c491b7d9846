#include "app/core/helpbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

namespace vandrel {

namespace {

QStringList bookLines(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    return lines;
}

// Lower case without accents, so "Offerte" finds "offerte" and "reele" finds "reële".
QString folded(const QString& text)
{
    const QString decomposed = text.toLower().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    }
    return out;
}

QString readPage(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

HelpBook HelpBook::load(const QString& directory)
{
    HelpBook book;
    book.directory_ = QDir::cleanPath(directory);
    for (const QString& line : bookLines(book.directory_ + QStringLiteral("/inhoud.txt"))) {
        const QStringList parts = line.split(QLatin1Char('|'));
        if (parts.size() < 3)
            continue;
        bool ok = false;
        const int level = parts[0].trimmed().toInt(&ok);
        if (!ok || parts[2].trimmed().isEmpty())
            continue;
        book.contents_.append({std::clamp(level, 0, 8), parts[1].trimmed(), parts[2].trimmed()});
    }
    for (const QString& line : bookLines(book.directory_ + QStringLiteral("/onderwerpen.txt"))) {
        const QStringList parts = line.split(QLatin1Char('|'));
        bool ok = false;
        const int number = parts.value(0).trimmed().toInt(&ok);
        if (ok && parts.size() >= 2 && !parts[1].trimmed().isEmpty())
            book.topics_.insert(number, parts[1].trimmed());
    }
    return book;
}

QString HelpBook::title() const
{
    return contents_.isEmpty() ? QString() : contents_.first().title;
}
QString HelpBook::startPage() const
{
    return contents_.isEmpty() ? QString() : contents_.first().page;
}

QString HelpBook::path(const QString& page) const
{
    return directory_ + QLatin1Char('/') + page;
}

QStringList HelpBook::pages() const
{
    QStringList names;
    for (const HelpEntry& e : contents_) {
        if (!names.contains(e.page))
            names << e.page;
    }
    for (const QString& f :
         QDir(directory_).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        if (!names.contains(f))
            names << f;
    }
    return names;
}

QStringList HelpLibrary::programBookCandidates(const QString& helpFolder,
                                               const QString& programDirectory)
{
    QStringList candidates;
    for (const QString& dir : {helpFolder, programDirectory}) {
        if (!dir.isEmpty())
            candidates << QDir::cleanPath(QDir::fromNativeSeparators(dir) +
                                          QStringLiteral("/help"));
    }
    if (!programDirectory.isEmpty())
        candidates << QDir::cleanPath(QDir::fromNativeSeparators(programDirectory) +
                                      QStringLiteral("/../share/vandrel-catalogus/help"));
    candidates.removeDuplicates();
    return candidates;
}

HelpLibrary HelpLibrary::find(const QString& helpFolder, const QString& programDirectory)
{
    HelpLibrary library;
    for (const QString& dir : programBookCandidates(helpFolder, programDirectory)) {
        HelpBook book = HelpBook::load(dir);
        if (book.isValid()) {
            library.addBook(book);
            break;
        }
    }
    if (!helpFolder.isEmpty()) {
        HelpBook wholesaler =
            HelpBook::load(QDir::fromNativeSeparators(helpFolder) + QStringLiteral("/groothandel"));
        if (wholesaler.isValid())
            library.addBook(wholesaler);
    }
    return library;
}

void HelpLibrary::addBook(const HelpBook& book)
{
    books_.append(book);
}

QString HelpLibrary::topicPath(int number) const
{
    for (auto it = books_.crbegin(); it != books_.crend(); ++it) {
        const QString page = it->topicPage(number);
        if (!page.isEmpty() && QFileInfo::exists(it->path(page)))
            return it->path(page);
    }
    return QString();
}

QString HelpLibrary::pagePath(const QString& page) const
{
    if (books_.isEmpty())
        return QString();
    const QString path = books_.first().path(page);
    return QFileInfo::exists(path) ? path : QString();
}

QString HelpLibrary::pageTitle(const QString& path)
{
    static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = title.match(readPage(path));
    return m.hasMatch() ? QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified()
                        : QFileInfo(path).completeBaseName();
}

QList<HelpHit> HelpLibrary::search(const QString& text) const
{
    const QStringList words =
        folded(text).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QList<HelpHit> hits;
    if (words.isEmpty())
        return hits;
    for (const HelpBook& book : books_) {
        for (const QString& page : book.pages()) {
            const QString path = book.path(page);
            auto cached = plainText_.find(path);
            if (cached == plainText_.end())
                cached = plainText_.insert(
                    path, folded(QTextDocumentFragment::fromHtml(readPage(path)).toPlainText()));
            int count = 0;
            bool all = true;
            for (const QString& w : words) {
                const int n = int(cached->count(w));
                if (n == 0) {
                    all = false;
                    break;
                }
                count += n;
            }
            if (all)
                hits.append({path, pageTitle(path), count});
        }
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const HelpHit& a, const HelpHit& b) { return a.count > b.count; });
    return hits;
}

} // namespace vandrel
