#include "app/core/sharedstate.h"

namespace vandrel {

SharedState& shared()
{
    static SharedState state;
    return state;
}

} // namespace vandrel
