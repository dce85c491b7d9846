#include "browser/articlesearch.h"

#include "browser/sqlquote.h"

namespace vandrel::articlesearch {

const QStringList& modeNames()
{
    static const QStringList names = {
        QStringLiteral("Vandrel Nummer"), QStringLiteral("Omschrijving"), QStringLiteral("Productreeks"),
        QStringLiteral("Productnummer"),  QStringLiteral("Fabrikant"),    QStringLiteral("Klassificatie"),
        QStringLiteral("SQL-Query")};
    return names;
}

Mode modeFromName(const QString& name)
{
    const qsizetype i = modeNames().indexOf(name);
    return i < 0 ? Mode::VandrelNummer : Mode(i);
}

QString productNumberSource(const QString& cols, const QString& text)
{
    return QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products WHERE ArtNummerLev LIKE '") +
           sqlEscaped(text) + QStringLiteral("*' ORDER BY ProduktGroep, ArtikelNr");
}

QString sqlQuerySource(const QString& cols, const QString& condition)
{
    QString statement = QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM Products WHERE ") + condition;
    if (!statement.toUpper().contains(QLatin1String("ORDER BY")))
        statement += QStringLiteral(" ORDER BY ProduktGroep, ArtikelNr");
    return statement;
}

QString seriesCodeQuery(const QString& text)
{
    return QStringLiteral("SELECT SerieKode FROM Series WHERE SerieNaam Like '*") + sqlEscaped(text) +
           QStringLiteral("*'");
}

QString manufacturerCodeQuery(const QString& text)
{
    return QStringLiteral("SELECT FabrikantKode FROM Manufacturers WHERE FabrikantNaam Like '*") +
           sqlEscaped(text) + QStringLiteral("*'");
}

QString scanTempSource(const QString& cols)
{
    return QStringLiteral("SELECT ") + cols + QStringLiteral(" FROM ScanTemp");
}

QString descriptionInsert(const QString& pendingList)
{
    return QStringLiteral("INSERT INTO ScanTemp ") + QStringLiteral("SELECT ArtikelNr, Beschrijving, ArtNummerLev, ") +
           QStringLiteral("EANNummer, BrutoPrijs, Per, NettoPrijs, KortingGroep ") +
           QStringLiteral("FROM Products WHERE ArtikelNr IN (") + pendingList.mid(1) + QLatin1Char(')');
}

QString codeInsert(const QString& codeField, const QString& pendingList)
{
    // ScanTemp names its columns: the insert leaves KortingGroep empty.
    return QStringLiteral("INSERT INTO ScanTemp (ArtikelNr, Beschrijving, ArtNummerLev, EANNummer, BrutoPrijs, Per, NettoPrijs) ") +
           QStringLiteral("SELECT ArtikelNr, Beschrijving, ArtNummerLev, ") +
           QStringLiteral("EANNummer, BrutoPrijs,  Per, NettoPrijs ") + QStringLiteral("FROM Products WHERE ") +
           codeField + QStringLiteral(" IN (") + pendingList.mid(1) + QLatin1Char(')');
}

} // namespace vandrel::articlesearch
