#pragma once

#include <QString>

namespace vandrel {

// File names of the databases in their directories.
inline const QString catalogDatabaseName = QStringLiteral("VD-CLNT4.MDB");
inline const QString ordersDatabaseName = QStringLiteral("VD-ORDR4.MDB");
inline const QString illustrationDatabaseName = QStringLiteral("VDCDROM4.MDB");

// Builds the catalog database in directory (ending in a separator): mode 0 creates it
// with its four tables, any other mode extends an existing one (adds OfferteOms). The
// outcome is the file and the messages.
void BuildCatalogDatabase(const QString& directory, qint16 mode);

// Builds the orders database in directory; a present file is never touched.
void BuildOrdersDatabase(const QString& directory);

} // namespace vandrel
