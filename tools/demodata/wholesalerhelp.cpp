#include "tools/demodata/wholesalerhelp.h"

#include <QDir>
#include <QSaveFile>

namespace vandrel::demodata {

namespace {

struct HelpFile {
    const char* name;
    const char* text;
};

QByteArray page(const char* title, const char* body)
{
    return QByteArray(
               "<!DOCTYPE html>\n<html lang=\"nl\">\n<head>\n<meta charset=\"utf-8\">\n<title>") +
           title +
           "</title>\n<style>body { font-family: sans-serif; font-size: 10pt; } h1 { color: "
           "#8a1c1c; "
           "font-size: 16pt; } td { padding: 2px 8px; vertical-align: top; "
           "}</style>\n</head>\n<body>\n<h1>" +
           title + "</h1>\n" + body + "\n</body>\n</html>\n";
}

} // namespace

bool writeWholesalerHelp(const QString& dirPath, QString* error)
{
    QDir dir(dirPath);
    if (!dir.mkpath(wholesalerHelpFolder)) {
        if (error)
            *error = QStringLiteral("%1 kan niet worden aangemaakt")
                         .arg(dir.filePath(wholesalerHelpFolder));
        return false;
    }
    dir.cd(wholesalerHelpFolder);
    const QList<std::pair<QString, QByteArray>> files = {
        {QStringLiteral("inhoud.txt"), "# niveau|titel|pagina\n"
                                       "0|Vandrel Groothandel|adresinformatie.html\n"
                                       "0|Contactpersonen|contactpersonen.html\n"
                                       "0|Leveringsvoorwaarden|leveringsvoorwaarden.html\n"},
        {QStringLiteral("onderwerpen.txt"), "# onderwerpnummer|pagina\n"
                                            "461|adresinformatie.html\n"
                                            "462|contactpersonen.html\n"
                                            "199|leveringsvoorwaarden.html\n"},
        {QStringLiteral("adresinformatie.html"),
         page("Vandrel Groothandel",
              "<p>Technische groothandel in sanitair, verwarming en installatiemateriaal.</p>\n"
              "<table>\n<tr><td>Bezoekadres</td><td>Industrieweg 12<br>3401 AB "
              "IJsselstein</td></tr>\n"
              "<tr><td>Postadres</td><td>Postbus 250<br>3400 AG IJsselstein</td></tr>\n"
              "<tr><td>Telefoon</td><td>030 - 600 12 34</td></tr>\n"
              "<tr><td>Orders per fax</td><td>030 - 600 12 35</td></tr>\n"
              "<tr><td>Openingstijden</td><td>maandag t/m vrijdag 7.00 - 17.00 uur<br>zaterdag "
              "8.00 - 12.00 uur</td></tr>\n"
              "</table>\n<p>Afhalen kan aan de balie tijdens de openingstijden; bestellingen die "
              "v&oacute;&oacute;r "
              "16.00 uur via Orbisnet binnen zijn, liggen de volgende werkdag klaar.</p>\n"
              "<p><a href=\"contactpersonen.html\">Contactpersonen</a> &middot; "
              "<a href=\"leveringsvoorwaarden.html\">Leveringsvoorwaarden</a></p>")},
        {QStringLiteral("contactpersonen.html"),
         page("Contactpersonen",
              "<table>\n<tr><td>Verkoop binnendienst</td><td>Marieke de Vries</td><td>030 - 600 12 "
              "40</td></tr>\n"
              "<tr><td>Technisch advies</td><td>Henk Jansen</td><td>030 - 600 12 41</td></tr>\n"
              "<tr><td>Orbisnet en de catalogus</td><td>Sanne Bakker</td><td>030 - 600 12 "
              "42</td></tr>\n"
              "<tr><td>Administratie</td><td>Peter Visser</td><td>030 - 600 12 "
              "43</td></tr>\n</table>\n"
              "<p><a href=\"adresinformatie.html\">Adresinformatie</a></p>")},
        {QStringLiteral("leveringsvoorwaarden.html"),
         page("Leveringsvoorwaarden",
              "<ol>\n<li>Alle prijzen in de catalogus zijn in euro, exclusief BTW, tenzij anders "
              "vermeld.</li>\n"
              "<li>Bestellingen vanaf &euro; 250,- netto worden franco geleverd binnen Nederland; "
              "daaronder "
              "rekenen wij &euro; 12,50 verzendkosten.</li>\n"
              "<li>Levering uit voorraad de volgende werkdag bij bestelling v&oacute;&oacute;r "
              "16.00 uur.</li>\n"
              "<li>Betaling binnen 30 dagen na factuurdatum.</li>\n"
              "<li>Retouren alleen in overleg, ongebruikt en in de originele verpakking, binnen 14 "
              "dagen.</li>\n"
              "<li>Op alle leveringen zijn de algemene voorwaarden van de Technische Groothandel "
              "van toepassing.</li>\n"
              "</ol>\n<p><a href=\"adresinformatie.html\">Adresinformatie</a></p>")},
    };
    for (const auto& [name, bytes] : files) {
        QSaveFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(f.fileName(), f.errorString());
            return false;
        }
    }
    return true;
}

} // namespace vandrel::demodata
