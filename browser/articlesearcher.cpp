#include "browser/articlesearcher.h"

#include "app/core/events.h"
#include "app/core/quickpak.h"
#include "app/core/sharedstate.h"
#include "app/core/ui.h"
#include "browser/articlegrid.h"
#include "browser/columnlayout.h"
#include "browser/datacontrol.h"
#include "catalogdb/database.h"
#include "catalogdb/scanfile.h"

#include <QSet>

namespace vandrel {

using namespace articlesearch;

namespace {
QString listColumns() { return columnlayout::ReeksDef(QStringLiteral("Table3")); }
} // namespace

void ArticleSearcher::search(Mode mode, const QString& text)
{
    WaitCursor hourglass;
    pumpEvents();
    switch (mode) {
    case Mode::VandrelNummer: {
        const bool found = w_.getArtikel && w_.getArtikel(text);
        if (w_.showDetails)
            w_.showDetails(found);
        break;
    }
    case Mode::Omschrijving:
        if (text.size() < 2) {
            msgBox(QStringLiteral("U dient minimaal 2 karakters in te geven"), MsgIcon::Critical);
            if (w_.focusSearchBox)
                w_.focusSearchBox();
            return;
        }
        w_.showListView();
        ScanSearch(text);
        w_.list->setCaption(QStringLiteral("Omschrijving = ") + text);
        // Without hits the empty list says nothing by itself.
        if (w_.list->recordCount() == 0 && !tooManyHits_)
            msgBox(QStringLiteral("Er zijn geen artikelen gevonden die aan de criteria voldoen"), MsgIcon::Warning);
        break;
    case Mode::Productreeks:
    case Mode::Fabrikant:
        collectByCode(mode, text);
        break;
    case Mode::Productnummer:
        searchProductNumber(text);
        break;
    case Mode::Klassificatie:
        if (w_.openClassification)
            w_.openClassification();
        break;
    case Mode::SqlQuery:
        searchSqlQuery(text);
        break;
    }
}

void ArticleSearcher::showSource(const QString& source, const QString& status)
{
    w_.list->setRecordSource(source);
    if (!status.isNull())
        w_.list->setCaption(status);
    w_.list->refresh();
    w_.grid->SetColumnWidth();
}

void ArticleSearcher::searchProductNumber(const QString& text)
{
    w_.showListView();
    showSource(productNumberSource(listColumns(), text), QStringLiteral("Productnummer = ") + text);
}

void ArticleSearcher::searchSqlQuery(const QString& text)
{
    w_.showListView();
    PendingError::clear();
    w_.list->setRecordSource(sqlQuerySource(listColumns(), text));
    w_.list->refresh();
    if (PendingError::isSet()) {
        const QString message = PendingError::get().text;
        PendingError::clear();
        // The list is empty now: the status must not go on naming the previous search.
        w_.list->setCaption(QStringLiteral("Fout in SQL-Query: ") + text);
        msgBox(QStringLiteral("De SQL-Query kan niet worden uitgevoerd.") + QStringLiteral("\n\n") + message,
               MsgIcon::Critical);
        if (w_.focusSearchBox)
            w_.focusSearchBox();
        return;
    }
    w_.list->setCaption(QStringLiteral("SQL-Query = ") + text);
    w_.grid->SetColumnWidth();
}

void ArticleSearcher::collectByCode(Mode mode, const QString& text)
{
    const bool series = mode == Mode::Productreeks;
    Database* illustrations = w_.illustrations ? w_.illustrations() : nullptr;
    Database* catalog = w_.catalog ? w_.catalog() : nullptr;
    std::unique_ptr<Recordset> codes;
    if (illustrations)
        codes = illustrations->openRecordset(series ? seriesCodeQuery(text) : manufacturerCodeQuery(text),
                                             Recordset::ForwardOnly, Recordset::ReadOnly);
    PendingError::clear();
    if (!codes || !codes->hasCurrent() || !catalog) {
        msgBox(QStringLiteral("Er zijn geen artikelen gevonden die aan de criteria voldoen"), MsgIcon::Warning);
        return;
    }
    const QString codeField = series ? QStringLiteral("SerieKode") : QStringLiteral("FabrikantKode");
    catalog->execute(QStringLiteral("DELETE * FROM ScanTemp"));
    QString pending;
    for (; codes->hasCurrent(); codes->moveNext()) {
        bool numeric = false;
        const qlonglong code = codes->value(0).toLongLong(&numeric);
        if (!numeric)
            continue; // codes are numbers; anything else can match no article
        pending += QLatin1Char(',') + QString::number(code);
        if (pending.size() > pendingListLimit) {
            catalog->execute(codeInsert(codeField, pending));
            pending.clear();
        }
    }
    if (!pending.isEmpty())
        catalog->execute(codeInsert(codeField, pending));
    codes->close();
    PendingError::clear();
    w_.showListView();
    showSource(scanTempSource(listColumns()),
               (series ? QStringLiteral("Productreeks = ") : QStringLiteral("Fabrikant = ")) + text);
}

void ArticleSearcher::ScanSearch(const QString& text)
{
    using namespace quickpak;
    Database* catalog = w_.catalog ? w_.catalog() : nullptr;
    Recordset* products = w_.products ? w_.products() : nullptr;
    tooManyHits_ = false;
    if (!catalog || !products)
        return;
    int handle = 0;
    FOpenAll(w_.scanFile(), AccessRead, ShareCompatibility, handle);
    catalog->execute(QStringLiteral("DELETE * FROM ScanTemp"));

    // The list shows the emptied table meanwhile and does not react to moves.
    w_.list->setRecordSource(QStringLiteral("ScanTemp"));
    w_.list->blockSignals(true);
    w_.list->refresh();
    w_.showListView();
    shared().BatchInProgress = true;

    if (handle != 0) {
        qint32 state = -1;
        bool more = ScanFind(handle, *products, state, text);
        catalog->beginTrans();
        QSet<qint32> taken;
        qint32 previous = 0;
        QString pending;
        while (more) {
            const qint32 article = products->value(QStringLiteral("ArtikelNr")).toInt();
            // The same article may come back, in a row or later (a seek lands on the next
            // number when a key is gone): it is inserted once.
            if (article != previous && !taken.contains(article)) {
                if (taken.size() >= maxDescriptionHits) {
                    tooManyHits_ = true;
                    msgBox(QStringLiteral("Er zijn meer dan 500 artikelen gevonden, breid uw zoekspecifcatie uit"),
                           MsgIcon::Warning);
                    break;
                }
                taken.insert(article);
                pending += QLatin1Char(',') + QString::number(article);
                if (pending.size() > pendingListLimit) {
                    catalog->execute(descriptionInsert(pending));
                    pending.clear();
                }
            }
            previous = article;
            state = 0;
            more = ScanFind(handle, *products, state, text);
        }
        if (!pending.isEmpty())
            catalog->execute(descriptionInsert(pending));
        catalog->commitTrans();
        catalog->idle();
        FClose(handle);
    }
    PendingError::clear();
    w_.list->setRecordSource(scanTempSource(listColumns()));
    w_.list->refresh();
    w_.grid->SetColumnWidth();
    w_.list->blockSignals(false);
    shared().BatchInProgress = false;
}

} // namespace vandrel
