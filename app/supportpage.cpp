#include "app/supportpage.h"

#include "hostlink/hostvalues.h"

namespace vandrel {

void openSupportAddress(const UrlOpener& open, const QString& iniFile)
{
    // Read at each click: the user may have changed the address meanwhile.
    showSupportPage(HostValues::load(iniFile).supportAddress, open);
}

} // namespace vandrel
