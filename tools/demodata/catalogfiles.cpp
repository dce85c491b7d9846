#include "tools/demodata/catalogfiles.h"

#include "app/core/cp1252.h"

namespace vandrel::demodata {

namespace {

// Collects output and hands it to the device in large pieces.
class Writer {
public:
    explicit Writer(QIODevice& out) : out_(out) { buf_.reserve(chunk + 4096); }
    void line(const QString& text)
    {
        buf_ += cp1252::fromUnicode(text);
        buf_ += "\r\n";
        if (buf_.size() >= chunk)
            flush();
    }
    void ascii(const char* text, qsizetype n)
    {
        buf_.append(text, n);
        buf_ += "\r\n";
        if (buf_.size() >= chunk)
            flush();
    }
    bool finish()
    {
        flush();
        return ok_;
    }

private:
    static constexpr qsizetype chunk = 1 << 20;
    void flush()
    {
        if (!buf_.isEmpty() && out_.write(buf_) != buf_.size())
            ok_ = false;
        buf_.clear();
    }
    QIODevice& out_;
    QByteArray buf_;
    bool ok_ = true;
};

} // namespace

int writeGroupFile(const CatalogWorld& world, QIODevice& out)
{
    Writer w(out);
    int n = 0;
    for (const Group& g : world.groups()) {
        if (g.code.size() == 1 && n > 0)
            w.line(QString());
        w.line(g.code + u'|' + g.text);
        ++n;
    }
    return w.finish() ? n : -1;
}

int writeArticleFile(const CatalogWorld& world, QIODevice& out)
{
    Writer w(out);
    int n = 0;
    QString line;
    world.forEachArticle([&](const ArticleRecord& a) {
        line.clear();
        for (const QString& f : a.fields) {
            line += f;
            line += u'|';
        }
        w.line(line);
        ++n;
    });
    w.line(QStringLiteral("9999999") + world.options().date.toString(QStringLiteral("yyyyMMdd")) + u'|');
    return w.finish() ? n : -1;
}

int writeAdditionalsFile(const CatalogWorld& world, QIODevice& out)
{
    Writer w(out);
    int n = 0;
    char buf[64];
    world.forEachAdditional([&](int article, int complement, int quantity) {
        w.ascii(buf, qsnprintf(buf, sizeof buf, "%d|%d|%d", article, complement, quantity));
        ++n;
    });
    w.ascii("9999999", 7);
    return w.finish() ? n : -1;
}

int writeAlternativesFile(const CatalogWorld& world, QIODevice& out)
{
    Writer w(out);
    int n = 0;
    char buf[64];
    world.forEachAlternative([&](int article, int alternative) {
        w.ascii(buf, qsnprintf(buf, sizeof buf, "%d|%d", article, alternative));
        ++n;
    });
    w.ascii("9999999", 7);
    return w.finish() ? n : -1;
}

} // namespace vandrel::demodata
