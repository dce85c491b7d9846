#include "app/core/settings.h"

#include "app/core/apptitle.h"
#include "app/core/events.h"
#include "app/core/helpers.h"
#include "app/core/locations.h"
#include "app/core/privateprofile.h"

#include <QDir>
#include <QFile>

namespace vandrel {

const QString ColumnLayouts::defaultLayout = QStringLiteral(
    "ArtikelNr, Beschrijving, BrutoPrijs As [Bruto excl], (Brutoprijs * 1.19) As [Bruto incl], "
    "Per, NettoPrijs As [Netto excl], ArtNummerLev, EANNummer, KortingGroep");
const QString ColumnLayouts::defaultSizes = QStringLiteral("54, 237, 52, 52,  21, 50, 78, 85, 21");

ProgramState& programState()
{
    static ProgramState state;
    return state;
}

ColumnLayouts& columnLayouts()
{
    static ColumnLayouts layouts;
    return layouts;
}

WindowSettings& windowSettings()
{
    static WindowSettings settings;
    return settings;
}

QString settingsFileName()
{
    return locations::windowsDirectory() + QDir::separator() + QStringLiteral("VANDREL4.INI");
}

QString formatTwips(double twips)
{
    if (twips == double(qint64(twips)))
        return QString::number(qint64(twips));
    QString text = QString::number(twips, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

namespace {

QString read(const QString& section, const QString& key, const QString& defaultValue)
{
    return PrivateProfile::getString(section, key, defaultValue, settingsFileName());
}

double readNumber(const QString& section, const QString& key, const QString& defaultValue)
{
    return Val(read(section, key, defaultValue));
}

// False when the file could not be written; the callers tell the user.
bool write(const QString& section, const QString& key, const QString& value)
{
    return PrivateProfile::writeString(section, key, value, settingsFileName());
}

} // namespace

bool LoadSettings(SettingsWindow* window)
{
    AppTitle::Scope title(QStringLiteral("LoadSettings"));
    WaitCursor hourglass;
    ProgramState& s = programState();
    const QString programDir = s.programDirectory.isEmpty() ? locations::programDirectory()
                                                            : s.programDirectory;
    const QString pathNames = QStringLiteral("PathNames");
    s.productFile = AddBackslash(read(pathNames, QStringLiteral("ProductFile"), programDir));
    s.digitalFile = AddBackslash(read(pathNames, QStringLiteral("DigitalFile"), programDir));
    s.helpFile = AddBackslash(read(pathNames, QStringLiteral("HelpFile"), programDir));
    s.indexFile = AddBackslash(read(pathNames, QStringLiteral("IndexFile"), programDir));

    const QString updates = QStringLiteral("Updates");
    const QString never = QStringLiteral("19010101");
    s.lastProducts = read(updates, QStringLiteral("LastProducts"), never);
    s.lastDigitals = read(updates, QStringLiteral("LastDigitals"), never);
    s.lastStocks = read(updates, QStringLiteral("LastStocks"), never);

    const QString settings = QStringLiteral("Settings");
    ColumnLayouts& c = columnLayouts();
    c.viewColumnLayout = read(settings, QStringLiteral("ViewColumnLayout"), ColumnLayouts::defaultLayout);
    c.viewColumnSizes = read(settings, QStringLiteral("ViewColumnSizes"), ColumnLayouts::defaultSizes);
    c.detailColumnLayout = read(settings, QStringLiteral("DetailColumnLayout"), ColumnLayouts::defaultLayout);
    c.detailColumnSizes = read(settings, QStringLiteral("DetailColumnSizes"), ColumnLayouts::defaultSizes);

    WindowSettings& w = windowSettings();
    w.showRestoreCol = read(settings, QStringLiteral("ShowRestoreCol"), QStringLiteral("J"));
    w.horizontalBar = readNumber(settings, QStringLiteral("HorizontalBar"), QStringLiteral("245"));
    w.verticalBar = readNumber(settings, QStringLiteral("VerticalBar"), QStringLiteral("236"));
    w.mainHeight = readNumber(settings, QStringLiteral("MainHeight"), QStringLiteral("7575"));
    w.mainWidth = readNumber(settings, QStringLiteral("MainWidth"), QStringLiteral("9660"));
    if (window) {
        // The defaults centre the window as it is before the stored size is applied.
        const double topDefault = (window->screenHeight() - window->windowHeight()) / 2;
        const double leftDefault = (window->screenWidth() - window->windowWidth()) / 2;
        w.mainTop = readNumber(settings, QStringLiteral("MainTop"), formatTwips(topDefault));
        w.mainLeft = readNumber(settings, QStringLiteral("MainLeft"), formatTwips(leftDefault));

        window->setRestoreColumnEntryVisible(w.showRestoreCol.compare(QStringLiteral("N"), Qt::CaseInsensitive) != 0);
        window->setNormalState();
        window->setWindowTop(w.mainTop);
        window->setWindowLeft(w.mainLeft);
        window->setWindowHeight(w.mainHeight);
        window->setWindowWidth(w.mainWidth);
        window->setHorizontalBarTop(w.horizontalBar);
        window->setVerticalBarLeft(w.verticalBar);
    }
    return true;
}

bool SaveSettings(SettingsWindow* window)
{
    AppTitle::Scope title(QStringLiteral("SaveSettings"));
    WaitCursor hourglass;
    bool ok = true;
    if (window) {
        const QString settings = QStringLiteral("Settings");
        const ColumnLayouts& c = columnLayouts();
        ok &= write(settings, QStringLiteral("ViewColumnLayout"), c.viewColumnLayout);
        ok &= write(settings, QStringLiteral("ViewColumnSizes"), c.viewColumnSizes);
        ok &= write(settings, QStringLiteral("DetailColumnLayout"), c.detailColumnLayout);
        ok &= write(settings, QStringLiteral("DetailColumnSizes"), c.detailColumnSizes);
        const bool visible = window->restoreColumnEntryVisible();
        windowSettings().showRestoreCol = visible ? QStringLiteral("J") : QStringLiteral("N");
        ok &= write(settings, QStringLiteral("ShowRestoreCol"), windowSettings().showRestoreCol);
        ok &= write(settings, QStringLiteral("HorizontalBar"), formatTwips(window->horizontalBarTop()));
        ok &= write(settings, QStringLiteral("VerticalBar"), formatTwips(window->verticalBarLeft()));
        if (window->isNormalState()) {
            ok &= write(settings, QStringLiteral("MainTop"), formatTwips(window->windowTop()));
            ok &= write(settings, QStringLiteral("MainLeft"), formatTwips(window->windowLeft()));
            ok &= write(settings, QStringLiteral("MainHeight"), formatTwips(window->windowHeight()));
            ok &= write(settings, QStringLiteral("MainWidth"), formatTwips(window->windowWidth()));
        }
    } else {
        const ProgramState& s = programState();
        const QString pathNames = QStringLiteral("PathNames");
        ok &= write(pathNames, QStringLiteral("ProductFile"), s.productFile);
        ok &= write(pathNames, QStringLiteral("DigitalFile"), s.digitalFile);
        ok &= write(pathNames, QStringLiteral("HelpFile"), s.helpFile);
        ok &= write(pathNames, QStringLiteral("IndexFile"), s.indexFile);
        const QString updates = QStringLiteral("Updates");
        ok &= write(updates, QStringLiteral("LastProducts"), s.lastProducts);
        ok &= write(updates, QStringLiteral("LastDigitals"), s.lastDigitals);
        ok &= write(updates, QStringLiteral("LastStocks"), s.lastStocks);
    }
    return ok;
}

bool appendIsamBlock()
{
    QFile f(settingsFileName());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray block = " \r\n"
                             "[ISAM]\r\n"
                             "PageTimeout = 50\r\n"
                             "MaxBufferSize = 512\r\n"
                             "LockRetry = 200\r\n"
                             "CommitLockRetry = 200\r\n"
                             "ReadAheadPages = 32\r\n";
    return f.write(block) == block.size();
}

} // namespace vandrel
