#include "documents/documentcode.h"

#include "app/core/ui.h"
#include "catalogdb/database.h"

#include <QRandomGenerator>

#include <cmath>

namespace vandrel {

std::optional<int> drawDocumentCode(Database* orders, const std::function<double()>& random)
{
    if (!orders || !orders->isOpen())
        return std::nullopt;
    const auto next = [&] {
        return random ? random() : QRandomGenerator::global()->generateDouble();
    };
    for (;;) {
        const int code = int(std::floor(next() * 999999.0 + 1.0));
        const auto rows = orders->openRecordset(
            QStringLiteral("SELECT OrderCode FROM BestelRegels WHERE OrderCode = %1").arg(code),
            Recordset::ForwardOnly, Recordset::ReadOnly);
        // A table that cannot be read holds no rows for the code either.
        if (!rows || !rows->hasCurrent())
            return code;
    }
}

void reportOrdersDatabaseMissing()
{
    msgBox(QStringLiteral("ERROR dbobject 33442"), MsgIcon::None, MsgButtons::Ok);
}

} // namespace vandrel
