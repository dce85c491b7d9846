// vandrel-demodata <target dir> [--articles N] [--seed S] [--date YYYYMMDD] [--update-zip FILE]
// Writes a demo delivery of the wholesaler into the target directory; with --update-zip
// also the host's update archive for that delivery.
#include "tools/demodata/demodata.h"
#include "tools/demodata/updatearchive.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

using namespace vandrel::demodata;

namespace {

int usage()
{
    std::fprintf(stderr, "gebruik: vandrel-demodata <doelmap> [--articles N] [--seed S] [--date JJJJMMDD] [--update-zip BESTAND]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures are drawn off screen; the tool never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();

    QString dir;
    QString updateZip;
    Options options;
    // The newest change date is the delivery date, so that the program sees a fresh catalog.
    options.date = QDate::currentDate();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        bool ok = true;
        if (a == u"--articles" && i + 1 < args.size()) {
            options.articles = args[++i].toInt(&ok);
            ok = ok && options.articles >= 0 && options.articles <= 4000000;
        } else if (a == u"--seed" && i + 1 < args.size()) {
            options.seed = args[++i].toULongLong(&ok);
        } else if (a == u"--date" && i + 1 < args.size()) {
            options.date = QDate::fromString(args[++i], QStringLiteral("yyyyMMdd"));
            ok = options.date.isValid();
        } else if (a == u"--update-zip" && i + 1 < args.size()) {
            updateZip = args[++i];
        } else if (!a.startsWith(u"--") && dir.isEmpty()) {
            dir = a;
        } else {
            ok = false;
        }
        if (!ok)
            return usage();
    }
    if (dir.isEmpty())
        return usage();

    QElapsedTimer timer;
    timer.start();
    QString error;
    DeliverySummary s;
    if (!writeDelivery(dir, options, &error, &s)) {
        std::fprintf(stderr, "vandrel-demodata: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%d groepen, %d artikelrecords, %d complementaire en %d alternatieve artikelen, "
                "%d illustraties (%d hotspots), %d lijntekeningen in %s (%.1f s)\n",
                s.groups, s.articleRecords, s.additionals, s.alternatives, s.pictures.illustrations, s.pictures.hotspots,
                s.pictures.drawings, qPrintable(dir), timer.elapsed() / 1000.0);
    if (!updateZip.isEmpty()) {
        UpdateSummary u;
        if (!writeUpdateArchive(updateZip, options, &error, &u)) {
            std::fprintf(stderr, "vandrel-demodata: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("update %s: %d nieuwe prijzen, %d nieuwe en %d vervallen artikelen\n", qPrintable(updateZip),
                    int(u.repriced.size()), int(u.added.size()), int(u.withdrawn.size()));
    }
    return 0;
}
