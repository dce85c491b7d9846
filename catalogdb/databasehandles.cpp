#include "catalogdb/databasehandles.h"

namespace vandrel {

DatabaseHandles& databaseHandles()
{
    static DatabaseHandles handles;
    return handles;
}

void DatabaseHandles::closeCatalog()
{
    catalog.reset();
    orders.reset();
}

void DatabaseHandles::closeIllustration()
{
    illustrations.reset();
    drawings.reset();
    illustration.reset();
}

void DatabaseHandles::closeAll()
{
    closeIllustration();
    closeCatalog();
}

} // namespace vandrel
