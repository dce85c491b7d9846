#pragma once

#include "catalogdb/database.h"
#include "catalogdb/recordset.h"

#include <memory>

namespace vandrel {

// The run-time database state shared by every part that reads or writes data: set by
// OpenCatalogDatabases and OpenIllustrationDatabase, held until the program ends.
struct DatabaseHandles {
    std::unique_ptr<Database> catalog;      // VD-CLNT4.MDB, shared, writable
    std::unique_ptr<Database> orders;       // VD-ORDR4.MDB, shared, writable
    std::unique_ptr<Database> illustration; // VDCDROM4.MDB, exclusive, read-only
    std::unique_ptr<Recordset> illustrations; // "SELECT * FROM illustrations", forward-only
    std::unique_ptr<Recordset> drawings;      // "SELECT * FROM Drawings", dynaset, read-only

    void closeCatalog();
    void closeIllustration();
    void closeAll();
};

DatabaseHandles& databaseHandles();

} // namespace vandrel
