#include "tools/demodata/demodata.h"

#include "tools/demodata/wholesalerhelp.h"

#include <QDir>
#include <QSaveFile>

namespace vandrel::demodata {

namespace {

template <typename WriteFn>
bool writeTextFile(const QDir& dir, const char* name, WriteFn write, int& count, QString* error)
{
    QSaveFile file(dir.filePath(QString::fromLatin1(name)));
    if (file.open(QIODevice::WriteOnly)) {
        count = write(file);
        if (count >= 0 && file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("%1: %2").arg(file.fileName(), file.errorString());
    return false;
}

} // namespace

bool writeDelivery(const QString& dirPath, const Options& options, QString* error, DeliverySummary* summary)
{
    QDir dir(dirPath);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden aangemaakt").arg(dirPath);
        return false;
    }
    const CatalogWorld world(options);
    DeliverySummary s;
    const bool ok =
        writeTextFile(dir, "GRPINFO.TXT", [&](QIODevice& d) { return writeGroupFile(world, d); }, s.groups, error) &&
        writeTextFile(dir, "ARTINFO.TXT", [&](QIODevice& d) { return writeArticleFile(world, d); }, s.articleRecords, error) &&
        writeTextFile(dir, "ADDIINFO.TXT", [&](QIODevice& d) { return writeAdditionalsFile(world, d); }, s.additionals, error) &&
        writeTextFile(dir, "ALTEINFO.TXT", [&](QIODevice& d) { return writeAlternativesFile(world, d); }, s.alternatives, error) &&
        writeIllustrationDatabase(world, dir.filePath(QStringLiteral("VDCDROM4.MDB")), error, &s.pictures) &&
        writeWholesalerHelp(dirPath, error);
    if (ok && summary)
        *summary = s;
    return ok;
}

} // namespace vandrel::demodata
