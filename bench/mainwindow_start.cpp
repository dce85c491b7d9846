// Time from start to the main window showing the first rows of the full list, and the
// memory that takes, on a catalog of 500,000 articles (or the count given).
#include "app/core/privateprofile.h"
#include "app/core/settings.h"
#include "browser/articlegrid.h"
#include "browser/frmartinfo.h"

#include "browser/databaseservices.h"
#include "browser/recordsetmodel.h"
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/connection.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

using namespace vandrel;

namespace {

long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Rows straight through SQLite: the benchmark is about the window, not the import.
bool fill(Database& db, int articles)
{
    sqlite3* h = db.connection()->handle();
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h,
                       "INSERT INTO Products (ArtikelNr, ProduktGroep, Beschrijving, BrutoPrijs, NettoPrijs, Per, "
                       "KortingGroep, ArtNummerLev, EANNummer) VALUES (?, ?, ?, ?, ?, 1, 7, ?, ?)",
                       -1, &st, nullptr);
    for (int i = 0; i < articles; ++i) {
        const QByteArray group = QByteArray::number(100000000 + (i % 600) * 10000);
        const QByteArray text = "Kogelkraan messing " + QByteArray::number(15 + i % 40) + " mm knel type " +
                                QByteArray::number(i);
        const QByteArray supplier = "KK-" + QByteArray::number(i);
        sqlite3_bind_int(st, 1, 1000000 + i);
        sqlite3_bind_text(st, 2, group.constData(), int(group.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(st, 4, 10 + (i % 1000) / 10.0);
        sqlite3_bind_double(st, 5, 8 + (i % 1000) / 10.0);
        sqlite3_bind_text(st, 6, supplier.constData(), int(supplier.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 7, "8712345678901", 13, SQLITE_STATIC);
        if (sqlite3_step(st) != SQLITE_DONE)
            return false;
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    return sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int articles = argc > 1 ? std::atoi(argv[1]) : 500000;
    QTemporaryDir tmp;
    qputenv("VANDREL_WINDIR", QFile::encodeName(tmp.path()));
    const QString dir = tmp.path() + QLatin1Char('/');
    programState().programDirectory = programState().productFile = programState().indexFile =
        programState().digitalFile = programState().helpFile = dir;
    QFile groups(dir + QStringLiteral("GRPINFO.TXT"));
    groups.open(QIODevice::WriteOnly);
    groups.write("1|Sanitair\r\n101|Kranen\r\n");
    groups.close();
    BuildCatalogDatabase(dir, 0);
    BuildOrdersDatabase(dir);
    if (OpenCatalogDatabases(dir) != OpenOutcome::Opened || !fill(*databaseHandles().catalog, articles)) {
        std::fprintf(stderr, "kon de catalogus niet vullen\n");
        return 1;
    }
    databaseHandles().closeAll();
    PrivateProfile::writeString(QStringLiteral("Updates"), QStringLiteral("LastProducts"),
                                QDate::currentDate().toString(QStringLiteral("yyyyMMdd")), settingsFileName());

    const long before = residentKb();
    QElapsedTimer clock;
    clock.start();
    MainWindowServices s = databaseServices();
    s.openIllustrationDatabase = nullptr;
    FrmArtinfo window(s);
    if (!window.Form_Load())
        return 1;
    RecordsetModel* model = window.table3()->recordsetModel();
    const QString first = model->data(model->index(0, 0), Qt::DisplayRole).toString();
    QApplication::processEvents();
    const qint64 ms = clock.elapsed();
    const long after = residentKb();
    std::printf("artikelen: %d, rijen in de lijst: %d, eerste rij: %s\n", articles, model->rowCount(),
                qPrintable(first));
    std::printf("start tot eerste rijen: %lld ms\n", static_cast<long long>(ms));
    std::printf("geheugen: %ld MB in gebruik (%ld MB voor het venster)\n", after / 1024, (after - before) / 1024);
    return 0;
}
