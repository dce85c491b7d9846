#pragma once

#include <QString>
#include <QStringList>

namespace vandrel {

// The statements of the search bar, built from the list's column list (cols) and the
// text as typed. Quotes in the text are doubled, so they are searched for literally.
namespace articlesearch {

enum class Mode { VandrelNummer, Omschrijving, Productreeks, Productnummer, Fabrikant, Klassificatie, SqlQuery };

const QStringList& modeNames();
Mode modeFromName(const QString& name);

QString productNumberSource(const QString& cols, const QString& text);
// Nothing when the condition holds a second statement; the engine refuses those anyway.
QString sqlQuerySource(const QString& cols, const QString& condition);
QString seriesCodeQuery(const QString& text);
QString manufacturerCodeQuery(const QString& text);
QString scanTempSource(const QString& cols);

// The inserts into ScanTemp for a pending list ",1,2,3" (leading comma included).
QString descriptionInsert(const QString& pendingList);
QString codeInsert(const QString& codeField, const QString& pendingList);

// The pending list is flushed once it grows beyond this many characters.
constexpr int pendingListLimit = 512;
// The description search keeps at most this many distinct articles.
constexpr int maxDescriptionHits = 500;

} // namespace articlesearch
} // namespace vandrel
