// vandrel-hostsim: the host service Orbisnet on loopback, for trying the program's host
// functions on one machine and for scripts. Prints the ports it listens on, then serves
// until killed or --max-seconds has passed.
#include "tools/hostsim/demosettings.h"
#include "tools/hostsim/hostsimulator.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString error;
    QStringList arguments = QCoreApplication::arguments().mid(1);
    // --demo-settings WINDIR: point a demo installation at this simulator once it runs.
    QString demoWindows;
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--demo-settings")); at >= 0 && at + 1 < arguments.size()) {
        demoWindows = arguments.at(at + 1);
        arguments.remove(at, 2);
    }
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        std::fputs(qPrintable(vandrel::hostsim::usage()), stdout);
        return 0;
    }
    auto config = vandrel::hostsim::parseCommandLine(arguments, &error);
    if (!config) {
        std::fprintf(stderr, "vandrel-hostsim: %s\n%s", qPrintable(error), qPrintable(vandrel::hostsim::usage()));
        return 2;
    }
    vandrel::hostsim::HostSimulator simulator(*config);
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "vandrel-hostsim: %s\n", qPrintable(error));
        return 1;
    }
    if (!demoWindows.isEmpty() && !vandrel::hostsim::writeDemoSettings(simulator, demoWindows, &error)) {
        std::fprintf(stderr, "vandrel-hostsim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("tcp %u\nhttp %u\n", unsigned(simulator.tcpPort()), unsigned(simulator.httpPort()));
    if (!simulator.ptyPath().isEmpty())
        std::printf("pty %s\n", qPrintable(simulator.ptyPath()));
    std::fflush(stdout);
    if (config->maxSeconds > 0)
        QTimer::singleShot(config->maxSeconds * 1000, &app, &QCoreApplication::quit);
    return app.exec();
}
