// A quotation of 2,000 lines: Recalc (as every edit runs it, and re-pricing against a
// real catalog), saving and loading the quotation file, and each of the three outputs.
// Goals: Recalc under 50 ms, each output under 2 s.
#include "catalogdb/catalogopen.h"
#include "catalogdb/catalogschema.h"
#include "catalogdb/database.h"
#include "catalogdb/databasehandles.h"
#include "documents/documentfile.h"
#include "documents/quotationcalc.h"
#include "documents/quotationcatalog.h"
#include "documents/quotationfile.h"
#include "documents/quotationline.h"
#include "documents/quotationoutput.h"
#include "printing/formatprint.h"
#include "printing/recordingprintdevice.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vandrel;

namespace {

constexpr int kLines = 2000;
constexpr int kArticles = 1500;

QTemporaryDir* dataDir = nullptr;

// Sections of ten articles, a text line, a discount and a subtotal; a page break every
// ten sections; VAT and total at the end.
QStringList quotationLines()
{
    QStringList lines;
    int article = 1;
    while (lines.size() < kLines - 2) {
        for (int i = 0; i < 10 && lines.size() < kLines - 2; ++i, ++article)
            lines << quotation::articleLine(QString::number(1 + article % 9), 1000000 + article % kArticles,
                                            Currency::fromCents(1234 + article), QStringLiteral("Artikel %1 met een omschrijving").arg(article));
        lines << QStringLiteral("Montage inbegrepen") << QStringLiteral("\tKorting:\t5%\t ") << quotation::subtotalLine();
        if (lines.size() % 130 == 0)
            lines << quotation::pageBreakLine();
    }
    lines << quotation::vatLine() << quotation::totalLine();
    return lines.mid(0, kLines);
}

Database& catalog()
{
    if (!databaseHandles().catalog) {
        const QString dir = dataDir->path() + QLatin1Char('/');
        BuildCatalogDatabase(dir, 0);
        BuildOrdersDatabase(dir);
        OpenCatalogDatabases(dir);
        Database& db = *databaseHandles().catalog;
        db.beginTrans();
        for (int i = 0; i < kArticles; ++i)
            db.execute(QStringLiteral("INSERT INTO Products (ArtikelNr, Beschrijving, BrutoPrijs, Per, OfferteOms) "
                                      "VALUES (%1, 'Artikel %1', %2, %3, 'Offertetekst %1')")
                           .arg(1000000 + i).arg(10 + i % 50).arg(i % 3 == 0 ? 100 : 1));
        db.commitTrans();
    }
    return *databaseHandles().catalog;
}

void BM_Recalc(benchmark::State& state)
{
    const QStringList lines = quotationLines();
    RecalcOptions options;
    for (auto _ : state) {
        QStringList work = lines;
        benchmark::DoNotOptimize(recalcQuotation(work, options));
    }
}

void BM_RecalcRepricing(benchmark::State& state)
{
    const QStringList lines = quotationLines();
    ProductsCursor cursor(&catalog());
    RecalcOptions options;
    options.reprice = true;
    options.catalog = &cursor;
    for (auto _ : state) {
        QStringList work = lines;
        benchmark::DoNotOptimize(recalcQuotation(work, options));
    }
}

void BM_Save(benchmark::State& state)
{
    QuotationFileContent content{QStringLiteral("offerte van 11-12-2026"), QStringLiteral("11-12-2026"), quotationLines()};
    const QString file = dataDir->filePath(QStringLiteral("bench.vdo"));
    // The window's own save: a file beside, flushed, renamed over the old one.
    for (auto _ : state) {
        if (DocumentFile::replaceFile(file, quotationfile::encode(content)) != 0) {
            state.SkipWithError("saving the quotation failed");
            break;
        }
    }
}

void BM_Load(benchmark::State& state)
{
    QuotationFileContent content{QStringLiteral("offerte van 11-12-2026"), QStringLiteral("11-12-2026"), quotationLines()};
    const QString file = dataDir->filePath(QStringLiteral("load.vdo"));
    if (DocumentFile::replaceFile(file, quotationfile::encode(content)) != 0) {
        state.SkipWithError("writing the quotation to load failed");
        return;
    }
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(quotationfile::decode(in.readAll()));
    }
}

QuotationOutputSource source(const QuotationCatalog* cursor)
{
    QuotationOutputSource s;
    s.reference = QStringLiteral("offerte van 11-12-2026");
    s.date = QStringLiteral("11-12-2026");
    s.lines = quotationLines();
    s.catalog = cursor;
    return s;
}

QuotationPrintOptions allOptions()
{
    QuotationPrintOptions o;
    o.printHeader = true;
    o.printOfferte = true; // the catalog look-up of every line is part of the run
    return o;
}

void BM_OutputPrinter(benchmark::State& state)
{
    ProductsCursor cursor(&catalog());
    const QuotationOutputSource s = source(&cursor);
    for (auto _ : state) {
        RecordingPrintDevice device;
        printQuotation(s, allOptions(), device, [&](const QString& m) { FormatPrint(device, m); });
        device.endDoc();
        state.counters["pages"] = device.pageCount();
    }
}

void BM_OutputRtf(benchmark::State& state)
{
    ProductsCursor cursor(&catalog());
    const QuotationOutputSource s = source(&cursor);
    for (auto _ : state) {
        QString rtf;
        writeQuotationRtf(s, allOptions(), [&](const QString& piece) { rtf += piece; });
        benchmark::DoNotOptimize(rtf);
    }
}

void BM_OutputTabFile(benchmark::State& state)
{
    ProductsCursor cursor(&catalog());
    const QuotationOutputSource s = source(&cursor);
    for (auto _ : state)
        benchmark::DoNotOptimize(quotationTabText(s, allOptions()));
}

} // namespace

BENCHMARK(BM_Recalc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecalcRepricing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutputPrinter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutputRtf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OutputTabFile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    dataDir = &dir;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    databaseHandles().closeAll();
    return 0;
}
