// vandrel-speedtable --program <executable> [--repeat N] [--only name,name] [--keep dir]
//
// Measures the program and, in the same run, its peers on the same bytes, and prints one
// tab-separated row per measure: name, program, peer, ratio, goal (seconds, or MB for
// memory; peer and ratio empty where the goal is absolute). bench/run.sh builds it in
// Release and formats the table. Progress goes to stderr.
//
// The data are the demo generator's: a delivery of 100,000 articles for the import, and
// one of 500,000 articles (with its complementary and alternative articles) whose first
// start is measured and whose catalog then serves the scan file, search, update and
// start-up measures. Each figure is the median of the repeats (the event-loop gap: the
// largest seen), so a burst of load from other processes does not decide it.

#include "app/core/cp1252.h"
#include "app/core/events.h"
#include "app/core/privateprofile.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/ui.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "catalogdb/recordset.h"
#include "catalogdb/scanfile.h"
#include "exchange/articlefile.h"
#include "exchange/catalogimport.h"
#include "hostlink/commsettings.h"
#include "tools/demodata/catalogfiles.h"
#include "tools/demodata/catalogworld.h"
#include "tools/demodata/demodata.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace vandrel;
namespace qp = vandrel::quickpak;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

void note(const char* format, const QString& text = QString())
{
    std::fprintf(stderr, format, qPrintable(text));
    std::fflush(stderr);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Answers every message with OK and notes when the first start's last message came.
struct BenchUi final : Ui {
    int messages = 0;
    QStringList texts;
    std::optional<Clock::time_point> restartMessageAt;
    MsgAnswer message(const Message& m) override
    {
        if (m.text.startsWith(QLatin1String("De aanmaak van artikelinformatie is gereed")))
            restartMessageAt = Clock::now();
        else
            ++messages, texts << m.text;
        return MsgAnswer::Ok;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return {}; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return {}; }
};

// The main window as the import drives it: its refreshes let events run, as the
// progress window's do.
struct BenchWindow final : ImportWindow, ProgressMeter {
    ProgressMeter& progress() override { return *this; }
    void setStatusCaption(const QString&) override {}
    void setMainWindowEnabled(bool) override {}
    void open(const QString&, const QString&) override {}
    void setLabel(const QString&) override {}
    void setPercent(int) override {}
    void refresh() override { pumpEvents(); }
    void close() override {}
};

// The longest time between two passes of the event loop while it runs.
class GapWatch {
public:
    GapWatch()
    {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const auto now = Clock::now();
            longest_ = std::max(longest_, std::chrono::duration<double>(now - last_).count());
            last_ = now;
        });
    }
    void start()
    {
        last_ = Clock::now();
        longest_ = 0;
        timer_.start();
    }
    double stop()
    {
        timer_.stop();
        longest_ = std::max(longest_, secondsSince(last_));
        return longest_;
    }

private:
    QTimer timer_;
    Clock::time_point last_;
    double longest_ = 0;
};

bool copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

// An empty catalog database as the first open leaves it (working column names).
QString emptyCatalog(const QString& dir)
{
    QDir().mkpath(dir);
    BuildCatalogDatabase(dir + QLatin1Char('/'), 0);
    const QString file = dir + QLatin1Char('/') + catalogDatabaseName;
    auto db = Database::open(file);
    auto td = db->tableDef(QStringLiteral("Products"));
    td->field(QStringLiteral("ArtikelNummer"))->setName(QStringLiteral("ArtikelNr"));
    td->field(QStringLiteral("PrijsPer"))->setName(QStringLiteral("Per"));
    return file;
}

struct Row {
    QString name;
    double program = -1;
    std::optional<double> peer;
    QString goal;
};

QString number(double v) { return v < 0 ? QString() : QString::number(v, 'f', v >= 100 ? 1 : 4); }

void print(const Row& r)
{
    const bool ok = r.program >= 0 && (!r.peer || *r.peer > 0);
    const QString ratio = ok && r.peer ? QString::number(r.program / *r.peer, 'f', 3) : QString();
    std::printf("%s\t%s\t%s\t%s\t%s\n", qPrintable(r.name), qPrintable(number(r.program)),
                qPrintable(r.peer ? number(*r.peer) : QString()), qPrintable(ratio), qPrintable(r.goal));
    std::fflush(stdout);
}

class SpeedTable {
public:
    SpeedTable(QString program, int repeat, QStringList only, const QString& keep)
        : program_(std::move(program)), repeat_(repeat), only_(std::move(only))
    {
        base_ = (keep.isEmpty() ? tmp_.path() : keep) + QLatin1Char('/');
        QDir().mkpath(base_);
        qputenv("VANDREL_WINDIR", QFile::encodeName(base_ + QStringLiteral("windows")));
        QDir().mkpath(base_ + QStringLiteral("windows"));
        Ui::install(&ui_);
    }
    ~SpeedTable() { Ui::install(nullptr); }

    void run()
    {
        if (wanted({"import_100k", "import_100k_durable", "import_max_gap"}))
            importHundredThousand();
        if (wanted({"first_start_500k", "scan_build_500k", "search_two_words_500k", "update_5k_into_500k",
                    "start_500k", "start_500k_mb"})) {
            firstStart();
            if (wanted({"scan_build_500k"}))
                scanBuild();
            if (wanted({"search_two_words_500k"}))
                search();
            if (wanted({"update_5k_into_500k"}))
                update();
            if (wanted({"start_500k", "start_500k_mb"}))
                start();
        }
    }

private:
    bool wanted(std::initializer_list<const char*> names) const
    {
        if (only_.isEmpty())
            return true;
        for (const char* n : names)
            if (only_.contains(QLatin1String(n)))
                return true;
        return false;
    }

    void report(const Row& r)
    {
        if (only_.isEmpty() || only_.contains(r.name))
            print(r);
    }

    // One import into a fresh copy of the empty catalog; seconds, or -1 on failure.
    double importOnce(const QString& importDir, bool diskWaits, GapWatch* gaps)
    {
        const QString file = base_ + QStringLiteral("import/") + catalogDatabaseName;
        QDir().mkpath(base_ + QStringLiteral("import"));
        for (const char* suffix : {"-wal", "-shm", "-journal"})
            QFile::remove(file + QLatin1String(suffix));
        if (!copyFile(emptyCatalog100k_, file))
            return -1;
        auto db = Database::open(file);
        if (!db)
            return -1;
        if (!diskWaits)
            db->execute(QStringLiteral("PRAGMA synchronous = OFF"));
        BenchWindow window;
        CatalogImport import(*db, window);
        import.setProductFileDirectory(base_ + QStringLiteral("import/"));
        ui_.messages = 0;
        if (gaps)
            gaps->start();
        const auto t0 = Clock::now();
        import.run(importDir, true);
        const double s = secondsSince(t0);
        if (gaps)
            gaps->stop();
        if (ui_.messages != 0 || import.counts().articles < 100000) {
            note("import: %s\n", ui_.texts.join(QLatin1Char(';')));
            return -1;
        }
        return s;
    }

    double sqliteToolOnce(const QString& rows)
    {
        const QString file = base_ + QStringLiteral("tool.mdb");
        if (!copyFile(emptyCatalog100k_, file))
            return -1;
        QProcess p;
        // The tool as it comes: rollback journal, full synchronisation, one transaction.
        const QStringList args{file, QStringLiteral("PRAGMA journal_mode=DELETE;"), QStringLiteral(".mode ascii"),
                               QStringLiteral(".separator | \\n"), QStringLiteral(".import ") + rows + QStringLiteral(" Products")};
        const auto t0 = Clock::now();
        p.start(QStringLiteral("sqlite3"), args);
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            return -1;
        return secondsSince(t0);
    }

    void importHundredThousand()
    {
        note("import: 100.000 artikelen maken...\n");
        const QString importDir = base_ + QStringLiteral("delivery100k/");
        QDir().mkpath(importDir);
        emptyCatalog100k_ = emptyCatalog(base_ + QStringLiteral("empty"));
        demodata::Options options;
        options.articles = 100000;
        const demodata::CatalogWorld world(options);
        {
            QFile out(importDir + QStringLiteral("VDCDINFO"));
            out.open(QIODevice::WriteOnly);
            demodata::writeArticleFile(world, out);
        }
        // The same rows for the tool: one line each, every column as the import stores it
        // in text (the tool converts by column affinity as the import's engine does).
        const QString rows = base_ + QStringLiteral("rows.txt");
        {
            QFile in(importDir + QStringLiteral("VDCDINFO"));
            in.open(QIODevice::ReadOnly);
            ArticleFile reader(in);
            QFile cli(rows);
            cli.open(QIODevice::WriteOnly);
            QStringList fields;
            QSet<qint32> seen;
            while (reader.readRecord(fields)) {
                const auto nr = articleNumber(fields.at(0));
                if (!nr)
                    break;
                if (fields.size() < 25 || isWithdrawn(fields.at(24)) || seen.contains(*nr))
                    continue;
                seen.insert(*nr);
                while (fields.size() < 26)
                    fields << fields.at(24);
                QString line = fields.mid(0, 26).join(QLatin1Char('|')) + QStringLiteral("|-1|0\n");
                line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
                cli.write(line.toUtf8());
            }
        }
        std::vector<double> shipped, noWaits, tool;
        double gap = 0;
        GapWatch watch;
        for (int i = 0; i < repeat_; ++i) {
            note("import: ronde %s\n", QString::number(i + 1));
            shipped.push_back(importOnce(importDir, true, &watch));
            gap = std::max(gap, watch.stop());
            noWaits.push_back(importOnce(importDir, false, nullptr));
            tool.push_back(sqliteToolOnce(rows));
        }
        const double program = median(shipped);
        report({QStringLiteral("import_100k"), program, median(tool), QStringLiteral("<=0.6x")});
        report({QStringLiteral("import_100k_durable"), program, median(noWaits), QStringLiteral("<=1.2x")});
        report({QStringLiteral("import_max_gap"), gap, std::nullopt, QStringLiteral("<0.1 s")});
    }

    void firstStart()
    {
        note("eerste start: levering van 500.000 artikelen maken...\n");
        data_ = base_ + QStringLiteral("data/");
        demodata::Options options;
        options.articles = 500000;
        options.date = QDate::currentDate();
        QString error;
        if (!demodata::writeDelivery(data_, options, &error)) {
            note("demodata: %s\n", error);
            return;
        }
        BuildCatalogDatabase(data_, 0);
        BuildOrdersDatabase(data_);
        programState().programDirectory = programState().productFile = programState().indexFile =
            programState().digitalFile = programState().helpFile = data_;
        if (OpenCatalogDatabases(data_) != OpenOutcome::Opened) {
            note("eerste start: de catalogus gaat niet open\n");
            return;
        }
        note("eerste start: inlezen...\n");
        BenchWindow window;
        ImportActions actions;
        actions.closeDatabase = [] { databaseHandles().closeAll(); };
        CatalogImport import(*databaseHandles().catalog, window, actions);
        import.setProductFileDirectory(data_);
        import.setSettingsFile(settingsFileName());
        ui_.restartMessageAt.reset();
        ui_.messages = 0;
        const auto t0 = Clock::now();
        import.run(data_, false);
        databaseHandles().closeAll();
        const double s = ui_.restartMessageAt ? std::chrono::duration<double>(*ui_.restartMessageAt - t0).count() : -1;
        if (ui_.messages != 0)
            note("eerste start: %s\n", ui_.texts.join(QLatin1Char(';')));
        report({QStringLiteral("first_start_500k"), ui_.messages == 0 ? s : -1, std::nullopt, QStringLiteral("<12 s")});
        ready_ = s > 0;
    }

    void scanBuild()
    {
        if (!ready_)
            return report({QStringLiteral("scan_build_500k"), -1, std::nullopt, QStringLiteral("<0.7 s")});
        note("zoekbestand bouwen...\n");
        auto db = Database::open(data_ + catalogDatabaseName);
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
        BenchWindow meter;
        std::vector<double> times;
        for (int i = 0; i < repeat_; ++i) {
            const auto t0 = Clock::now();
            // As the import calls it: inside one read transaction.
            db->beginTrans();
            const int error = BuildScanFile(base_ + QStringLiteral("build.scn"), *rs, QStringLiteral("ArtikelNr"),
                                            QStringLiteral("Beschrijving"), &meter);
            db->commitTrans();
            times.push_back(error == 0 ? secondsSince(t0) : -1);
        }
        report({QStringLiteral("scan_build_500k"), median(times), std::nullopt, QStringLiteral("<0.7 s")});
    }

    // Two words of an entry near the end whose longer word first occurs in the last
    // tenth of the file, so neither the search nor grep can stop early.
    std::pair<QString, QString> searchWords(const QString& scan)
    {
        QFile f(scan);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll().toLower();
        const qsizetype tenth = bytes.size() * 9 / 10;
        qsizetype at = bytes.lastIndexOf('@', bytes.size() - 513);
        while (at > tenth) {
            const qsizetype prev = bytes.lastIndexOf('@', at - 1);
            const QByteArray entry = bytes.mid(prev + 1, at - prev - 1);
            const QList<QByteArray> words = entry.mid(entry.indexOf('|') + 1).split(' ');
            for (const QByteArray& w : words) {
                if (w.size() < 6 || bytes.indexOf(w) < tenth)
                    continue;
                for (const QByteArray& other : words)
                    if (other != w && !other.isEmpty() && other.size() <= w.size())
                        return {cp1252::toUnicode(other + " " + w), cp1252::toUnicode(w)};
            }
            at = prev;
        }
        return {};
    }

    void search()
    {
        const QString scan = data_ + scanFileName;
        const auto [text, longer] = ready_ ? searchWords(scan) : std::pair<QString, QString>{};
        if (text.isEmpty())
            return report({QStringLiteral("search_two_words_500k"), -1, 0.0, QStringLiteral("<0.010 s; <=0.1x")});
        note("zoeken naar \"%s\"...\n", text);
        auto db = Database::open(data_ + catalogDatabaseName);
        auto rs = db->openRecordset(QStringLiteral("Products"), Recordset::Table);
        rs->setIndex(QStringLiteral("PrimaryKey"));
        std::vector<double> program, grep;
        for (int i = 0; i < std::max(repeat_, 5) * 2; ++i) {
            const auto t0 = Clock::now();
            int handle = 0;
            qp::FOpenAll(scan, qp::AccessRead, qp::ShareCompatibility, handle);
            qint32 state = -1;
            int hits = 0;
            while (ScanFind(handle, *rs, state, text))
                ++hits;
            qp::FClose(handle);
            program.push_back(hits > 0 ? secondsSince(t0) : -1);

            QProcess p;
            const auto g0 = Clock::now();
            p.start(QStringLiteral("grep"), {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("-F"), longer, scan});
            p.waitForFinished(-1);
            grep.push_back(secondsSince(g0));
        }
        report({QStringLiteral("search_two_words_500k"), median(program), median(grep), QStringLiteral("<0.010 s; <=0.1x")});
    }

    void update()
    {
        if (!ready_)
            return report({QStringLiteral("update_5k_into_500k"), -1, std::nullopt, QStringLiteral("<1 s")});
        note("update van 5.000 artikelen maken...\n");
        // Every hundredth article of the delivery, with a new price and description.
        const QString updateDir = base_ + QStringLiteral("update/");
        QDir().mkpath(updateDir);
        {
            QFile in(data_ + QStringLiteral("ARTINFO.TXT"));
            in.open(QIODevice::ReadOnly);
            ArticleFile reader(in);
            QFile out(updateDir + QStringLiteral("VDCDINFO"));
            out.open(QIODevice::WriteOnly);
            QStringList fields;
            int n = 0, taken = 0;
            while (reader.readRecord(fields) && taken < 5000) {
                if (!articleNumber(fields.at(0)))
                    break;
                if (fields.size() < 26 || isWithdrawn(fields.at(24)) || n++ % 100 != 0)
                    continue;
                fields[11] = QString::number(fields.at(11).toLongLong() + 100);
                fields[24] = fields.at(24) + QStringLiteral(" (nieuw)");
                out.write(cp1252::fromUnicode(fields.mid(0, 26).join(QLatin1Char('|')) + QStringLiteral("|\r\n")));
                ++taken;
            }
            out.write("9999999" + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toLatin1() + "|\r\n");
        }
        const QString catalogDir = base_ + QStringLiteral("updated/");
        QDir().mkpath(catalogDir);
        std::vector<double> times;
        for (int i = 0; i < repeat_; ++i) {
            const QString file = catalogDir + catalogDatabaseName;
            if (!copyFile(data_ + catalogDatabaseName, file))
                return report({QStringLiteral("update_5k_into_500k"), -1, std::nullopt, QStringLiteral("<1 s")});
            auto db = Database::open(file);
            BenchWindow window;
            CatalogImport import(*db, window);
            import.setProductFileDirectory(catalogDir);
            import.setSettingsFile(base_ + QStringLiteral("update.ini"));
            ui_.messages = 0;
            const auto t0 = Clock::now();
            import.run(updateDir, true);
            const double s = secondsSince(t0);
            times.push_back(ui_.messages == 0 && import.counts().articles == 5000 ? s : -1);
        }
        report({QStringLiteral("update_5k_into_500k"), median(times), std::nullopt, QStringLiteral("<1 s")});
    }

    void start()
    {
        if (!ready_) {
            report({QStringLiteral("start_500k"), -1, std::nullopt, QStringLiteral("<0.5 s")});
            return report({QStringLiteral("start_500k_mb"), -1, std::nullopt, QStringLiteral("<100 MB")});
        }
        note("start met 500.000 artikelen...\n");
        // A settled installation: the data directory, a fresh update date.
        const QString windows = base_ + QStringLiteral("startwindows");
        QDir().mkpath(windows);
        const QString ini = windows + QStringLiteral("/VANDREL4.INI");
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
        const QString dir = QDir::toNativeSeparators(data_);
        for (const char* key : {"ProductFile", "DigitalFile", "HelpFile", "IndexFile"})
            PrivateProfile::writeString(QStringLiteral("PathNames"), QLatin1String(key), dir, ini);
        for (const char* key : {"LastProducts", "LastDigitals", "LastStocks"})
            PrivateProfile::writeString(QStringLiteral("Updates"), QLatin1String(key), today, ini);
        // Communication settings stored, so the start asks for none.
        {
            CommSettings settings;
            settings.setFileTransfer(QStringLiteral("OBxfer"));
            QFile set(windows + QStringLiteral("/VANDREL4.SET"));
            if (!set.open(QIODevice::WriteOnly) || set.write(commsettingsfile::serialize(settings)) < 0) {
                report({QStringLiteral("start_500k"), -1, std::nullopt, QStringLiteral("<0.5 s")});
                return report({QStringLiteral("start_500k_mb"), -1, std::nullopt, QStringLiteral("<100 MB")});
            }
        }
        std::vector<double> seconds, mb;
        for (int i = 0; i < repeat_; ++i) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("VANDREL_WINDIR"), windows);
            env.insert(QStringLiteral("VANDREL_REPORT_FIRST_PAINT"), QStringLiteral("1"));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            p.setProcessEnvironment(env);
            const auto t0 = Clock::now();
            p.start(program_, {});
            if (!p.waitForFinished(60000)) {
                p.kill();
                p.waitForFinished();
                note("start: geen eerste rijen binnen 60 s\n");
                continue;
            }
            const QList<QByteArray> parts = p.readAllStandardOutput().trimmed().split(' ');
            if (parts.size() < 3 || parts[0] != "first-paint") {
                note("start: geen melding van de eerste rijen (%s)\n", QString::fromLocal8Bit(p.readAllStandardError()));
                continue;
            }
            const double at = double(parts[1].toLongLong()) / 1e9;
            seconds.push_back(at - std::chrono::duration<double>(t0.time_since_epoch()).count());
            mb.push_back(parts[2].toDouble() / 1024.0);
        }
        report({QStringLiteral("start_500k"), median(seconds), std::nullopt, QStringLiteral("<0.5 s")});
        report({QStringLiteral("start_500k_mb"), median(mb), std::nullopt, QStringLiteral("<100 MB")});
    }

    QString program_;
    int repeat_;
    QStringList only_;
    QTemporaryDir tmp_;
    QString base_, data_, emptyCatalog100k_;
    bool ready_ = false;
    BenchUi ui_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    QString program;
    int repeat = 3;
    QStringList only;
    QString keep;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--program")
            program = args[i + 1];
        else if (args[i] == u"--repeat")
            repeat = std::max(1, args[i + 1].toInt());
        else if (args[i] == u"--keep")
            keep = args[i + 1]; // work there and leave the data behind (for profiling)
        else if (args[i] == u"--only")
            only = args[i + 1].split(QLatin1Char(','), Qt::SkipEmptyParts);
    }
    if (program.isEmpty()) {
        std::fprintf(stderr, "gebruik: vandrel-speedtable --program <programma> [--repeat N] [--only naam,naam]\n");
        return 2;
    }
    SpeedTable(program, repeat, only, keep).run();
    return 0;
}
