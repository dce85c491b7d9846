#pragma once

#include <functional>
#include <optional>

namespace vandrel {

class Database;

// Draws the code under which a document window keeps its rows in BestelRegels: a random
// whole number 1..999999 that no row of the table carries at this moment. random gives
// numbers in [0, 1) (the program's generator, seeded from the clock, when empty).
// Nullopt when the orders database is not open.
std::optional<int> drawDocumentCode(Database* orders, const std::function<double()>& random = {});

// "ERROR dbobject 33442": the orders database is not open, so no document can be shown.
void reportOrdersDatabaseMissing();

} // namespace vandrel
