#include "catalogdb/engineerror.h"

namespace vandrel {

namespace {
EngineError& pending()
{
    static EngineError error;
    return error;
}
} // namespace

const EngineError& PendingError::get() { return pending(); }
bool PendingError::isSet() { return pending().isSet(); }
void PendingError::set(int number, const QString& text) { pending() = {number, text}; }
void PendingError::set(const EngineError& error) { pending() = error; }
void PendingError::clear() { pending() = {}; }

} // namespace vandrel
