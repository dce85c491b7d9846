#include "documents/quotationprintoptions.h"

#include "app/core/privateprofile.h"
#include "app/core/settings.h"

namespace vandrel {

namespace {

const QString kSection = QStringLiteral("PrintSettings");

QString read(const QString& key, const QString& defaultValue)
{
    return PrivateProfile::getString(kSection, key, defaultValue, settingsFileName());
}

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QuotationPrintOptions::Output QuotationPrintOptions::output() const
{
    if (!exportOptions)
        return Output::Printer;
    return printEditor ? Output::Editor : Output::TabFile;
}

bool settingsBool(const QString& text, bool defaultValue)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("FALSE"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double n = t.toDouble(&ok);
    return ok ? n != 0 : defaultValue;
}

bool isMarginText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 3)
        return false;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QuotationPrintOptions QuotationPrintOptions::load()
{
    QuotationPrintOptions o;
    o.leftMargin = read(QStringLiteral("LeftMargin"), QStringLiteral("20"));
    o.rightMargin = read(QStringLiteral("RightMargin"), QStringLiteral("20"));
    o.topMargin = read(QStringLiteral("TopMargin"), QStringLiteral("20"));
    o.botMargin = read(QStringLiteral("BotMargin"), QStringLiteral("20"));
    o.firstPageTopMargin = read(QStringLiteral("FirstPageTopMargin"), QStringLiteral("20"));
    o.printHeader = settingsBool(read(QStringLiteral("PrintHeader"), QStringLiteral("FALSE")), false);
    o.printCodes = settingsBool(read(QStringLiteral("PrintCodes"), QStringLiteral("TRUE")), true);
    o.printOfferte = settingsBool(read(QStringLiteral("PrintOfferte"), QStringLiteral("FALSE")), false);
    o.printValues = settingsBool(read(QStringLiteral("PrintValues"), QStringLiteral("TRUE")), true);
    o.exportOptions = settingsBool(read(QStringLiteral("ExportOptions"), QStringLiteral("FALSE")), false);
    o.printEditor = settingsBool(read(QStringLiteral("PrintEditor"), QStringLiteral("FALSE")), false);
    return o;
}

bool QuotationPrintOptions::save() const
{
    const QString file = settingsFileName();
    const auto write = [&](const char* key, const QString& value) {
        return PrivateProfile::writeString(kSection, QString::fromLatin1(key), value, file);
    };
    bool ok = write("LeftMargin", leftMargin);
    ok = write("RightMargin", rightMargin) && ok;
    ok = write("TopMargin", topMargin) && ok;
    ok = write("BotMargin", botMargin) && ok;
    ok = write("FirstPageTopMargin", firstPageTopMargin) && ok;
    ok = write("PrintHeader", bit(printHeader)) && ok;
    ok = write("PrintCodes", bit(printCodes)) && ok;
    ok = write("PrintOfferte", bit(printOfferte)) && ok;
    ok = write("PrintValues", bit(printValues)) && ok;
    ok = write("ExportOptions", bit(exportOptions)) && ok;
    ok = write("PrintEditor", printEditor ? QStringLiteral("TRUE") : QStringLiteral("FALSE")) && ok;
    return ok;
}

} // namespace vandrel
