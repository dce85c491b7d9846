#pragma once

#include <QString>
#include <QStringList>

namespace vandrel::test {

// Catalog and orders databases as older program versions left them, for the upgrade
// tests: Products with the euro and guilder price columns (BrutoPrijsEUR/NLG,
// NettoPrijsEUR/NLG) and, in the 30-column variant, OfferteOms; ScanTemp with the same
// price columns; order lines with VerkoopNLG, InkoopNLG, VerkoopEUR, InkoopEUR.
// Each table gets a row or two so the tests can see the data survive.
enum class OldStyle { Columns30, Columns29 };
void buildOldStyleDatabases(const QString& directory, OldStyle variant);

// An illustration database with the ten tables the program needs (minus `leaveOut`,
// plus `extra`), each with the columns the program reads and a row or two.
void buildIllustrationDatabase(const QString& directory, const QStringList& leaveOut = {},
                               const QStringList& extra = {}, bool lowerCaseNames = false);

} // namespace vandrel::test
