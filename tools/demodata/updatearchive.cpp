#include "tools/demodata/updatearchive.h"

#include "app/core/cp1252.h"
#include "tools/demodata/catalogfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

namespace vandrel::demodata {

namespace {

QByteArray line(const ArticleRecord& a)
{
    QString text;
    for (const QString& f : a.fields)
        text += f + u'|';
    return cp1252::fromUnicode(text) + "\r\n";
}

QString cents(qint64 value)
{
    return QString::number(value);
}

bool addEntry(zip_t* z, const char* name, const QByteArray& bytes, QList<QByteArray>& keep)
{
    keep << bytes; // libzip reads the buffer when the archive is closed
    zip_source_t* source = zip_source_buffer(z, keep.last().constData(), zip_uint64_t(keep.last().size()), 0);
    if (!source)
        return false;
    if (zip_file_add(z, name, source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return false;
    }
    return true;
}

template <typename Write>
QByteArray textFile(Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return buffer.data();
}

} // namespace

bool writeUpdateArchive(const QString& zipPath, const Options& options, QString* error, UpdateSummary* summary)
{
    const CatalogWorld world(options);
    const QDate updateDate = options.date.addDays(1);
    const QString changed = updateDate.toString(QStringLiteral("yyyy-MM-dd"));
    UpdateSummary s;

    // The first articles of the catalog: five repriced, two withdrawn; three new ones
    // follow the pattern of the first.
    QList<ArticleRecord> current;
    world.forEachArticle([&](const ArticleRecord& a) {
        if (!a.withdrawn && current.size() < 7)
            current << a;
    });
    QByteArray articles;
    for (qsizetype i = 0; i < current.size(); ++i) {
        ArticleRecord a = current[i];
        a.fields[19] = changed;
        if (i < 5) {
            a.fields[11] = cents(a.fields[11].toLongLong() * 11 / 10);
            a.fields[16] = cents(a.fields[16].toLongLong() * 11 / 10);
            s.repriced << a.fields[0].toInt();
        } else {
            a.fields[24] = QStringLiteral("*** VERVALLEN ***");
            a.fields[25] = QStringLiteral(" ");
            s.withdrawn << a.fields[0].toInt();
        }
        articles += line(a);
    }
    if (!current.isEmpty()) {
        static const char* const names[] = {"Thermostatische radiatorkraan haaks 1/2\" wit",
                                            "Kogelkraan messing 22 mm knel met vlinder",
                                            "Flexibele aansluitslang 3/8\" x 1/2\" 50 cm"};
        for (int i = 0; i < 3; ++i) {
            ArticleRecord a = current.first();
            const int number = 9900001 + i * 2;
            a.fields[0] = QString::number(number);
            a.fields[7] = QString(); // no EAN yet
            a.fields[9] = QStringLiteral("NIEUW %1").arg(i + 1);
            a.fields[11] = cents(1250 + 400 * i);
            a.fields[16] = cents(980 + 300 * i);
            a.fields[19] = changed;
            a.fields[24] = QString::fromUtf8(names[i]);
            a.fields[25] = QStringLiteral(" ");
            articles += line(a);
            s.added << number;
        }
    }
    articles += "9999999" + updateDate.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "|\r\n";

    // The group file with one text changed.
    QByteArray groups = textFile([&](QIODevice& d) { writeGroupFile(world, d); });
    if (!world.groups().isEmpty()) {
        const Group& g = world.groups().first();
        s.renamedGroup = g.code;
        const QByteArray from = cp1252::fromUnicode(g.code + u'|' + g.text) + "\r\n";
        groups.replace(groups.indexOf(from), from.size(),
                       cp1252::fromUnicode(g.code + u'|' + g.text + QStringLiteral(" (vernieuwd)")) + "\r\n");
    }

    QDir().mkpath(QFileInfo(zipPath).absolutePath());
    int code = 0;
    zip_t* z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!z) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden aangemaakt").arg(zipPath);
        return false;
    }
    QList<QByteArray> keep;
    const bool ok = addEntry(z, "VDCDINFO", articles, keep) && addEntry(z, "GRPINFO.TXT", groups, keep)
        && addEntry(z, "ADDIINFO.TXT", textFile([&](QIODevice& d) { writeAdditionalsFile(world, d); }), keep)
        && addEntry(z, "ALTEINFO.TXT", textFile([&](QIODevice& d) { writeAlternativesFile(world, d); }), keep);
    // Fixed times, so the same options give the same bytes.
    for (zip_int64_t i = 0; ok && i < zip_get_num_entries(z, 0); ++i)
        zip_file_set_mtime(z, zip_uint64_t(i), time_t(1704067200), 0);
    if (!ok || zip_close(z) != 0) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden geschreven: %2").arg(zipPath, QString::fromUtf8(zip_strerror(z)));
        zip_discard(z);
        return false;
    }
    if (summary)
        *summary = s;
    return true;
}

} // namespace vandrel::demodata
