#include "exchange/zipcommand.h"

#include "app/core/helpers.h"
#include "exchange/ziparchive.h"
#include "exchange/zipprogresswindow.h"

#include <algorithm>

namespace vandrel {

std::optional<ZipRequest> parseZipCommand(const QString& command)
{
    const QStringList fields = Conv2Word(command, 99, QLatin1Char('\t'));
    if (fields.isEmpty())
        return std::nullopt;
    ZipRequest request;
    const QString operation = fields[0].toLower();
    if (operation == QLatin1String("zip"))
        request.operation = ZipRequest::Operation::Zip;
    else if (operation == QLatin1String("unzip"))
        request.operation = ZipRequest::Operation::Unzip;
    else
        return std::nullopt;
    request.archive = fields.value(1);

    if (request.operation == ZipRequest::Operation::Zip) {
        for (qsizetype i = 2; i < fields.size(); ++i) {
            const QString& file = fields[i];
            // The native separator counts as well as the backslash.
            const qsizetype cut = std::max(file.lastIndexOf(QLatin1Char('\\')), file.lastIndexOf(QLatin1Char('/')));
            if (cut < 0) {
                request.adds.append({QString(), file});
                continue;
            }
            QString spec = file.mid(cut + 1);
            if (!spec.contains(QLatin1Char('.')))
                spec += QLatin1Char('.');
            request.adds.append({cut == 0 ? file.left(1) : file.left(cut), spec});
        }
        return request;
    }

    request.targetDirectory = fields.value(2);
    qsizetype end = fields.size();
    if (end > 3 && fields.last().compare(QLatin1String("-o"), Qt::CaseInsensitive) == 0) {
        request.overwrite = true;
        --end;
    }
    for (qsizetype i = 3; i < end; ++i)
        request.specs << fields[i];
    if (request.specs.isEmpty())
        request.specs << QStringLiteral("*"); // no file mask: every file
    return request;
}

bool ZipCommand(const QString& command, ZipEvents& events)
{
    const std::optional<ZipRequest> request = parseZipCommand(command);
    if (!request)
        return false;
    if (request->operation == ZipRequest::Operation::Zip) {
        for (const ZipRequest::AddRun& run : request->adds)
            ZipArchive::add(request->archive, run.sourceFolder, run.spec, events);
    } else {
        ZipArchive::extract(request->archive, request->targetDirectory, request->specs,
                            request->overwrite, events);
    }
    return true;
}

bool ZipCommand(const QString& command)
{
    ZipProgressWindow window;
    return ZipCommand(command, window);
}

} // namespace vandrel
