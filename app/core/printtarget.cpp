#include "app/core/printtarget.h"

#include "app/core/ui.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace vandrel::printtarget {

QString pdfFolder()
{
    QString dir = qEnvironmentVariable("VANDREL_PRINT_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    QDir().mkpath(dir);
    return dir;
}

QString choose(QPrinter& printer, const QString& jobName)
{
    printer.setDocName(jobName);
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (qEnvironmentVariableIsEmpty("VANDREL_PRINT_DIR") && !defaultPrinter.isNull()) {
        printer.setPrinterName(defaultPrinter.printerName());
        printer.setOutputFormat(QPrinter::NativeFormat);
        return QString();
    }
    // One file per job, never overwriting an earlier one.
    const QDir folder(pdfFolder());
    QString safeName = jobName;
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        safeName.replace(c, QLatin1Char('_'));
    const QString stem =
        safeName + QLatin1Char(' ') +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString path = folder.filePath(stem + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(stem + QStringLiteral(" (%1).pdf").arg(n));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return path;
}

void tellPdfWritten(const QString& pdfPath)
{
    msgBox(QStringLiteral("De afdruk is opgeslagen als PDF-bestand: ") +
               QDir::toNativeSeparators(pdfPath),
           MsgIcon::Information);
}

} // namespace vandrel::printtarget
