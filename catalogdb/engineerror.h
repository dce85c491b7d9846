#pragma once

#include <QString>

namespace vandrel {

// An engine error: a number and its text. Numbers follow the classic engine's numbering
// where callers or users may know them; the texts are Dutch.
struct EngineError {
    int number = 0;
    QString text;

    bool isSet() const { return number != 0; }

    // Engine error numbers.
    enum : int {
        FileNotFound = 3024,
        ObjectExists = 3010,
        DatabaseExists = 3204,
        TableNotFound = 3078,
        ItemNotFound = 3265,
        NoCurrentRecord = 3021,
        DuplicateKey = 3022,
        ReadOnly = 3027,
        NotUpdatable = 3073,
        FieldTooSmall = 3163,
        NumericOverflow = 3349,
        DataTypeMismatch = 3464,
        NoEditInProgress = 3020,
        NotSupported = 3251,
        SyntaxError = 3075,
        CharactersAfterEnd = 3142,
        CannotExecuteSelect = 3065,
        NotADatabase = 3343,
        CannotOpen = 3051,
        Locked = 3260,
        ObjectClosed = 3420,
        NoFields = 3264,
        InvalidName = 3125,
        RecordDeleted = 3167,
        TransactionError = 3034,
        DiskFull = 3026,
        DiskError = 3043,
        General = 3000,
    };
};

// The engine-wide pending error, like the classic engine's error object: every failing
// engine call sets it, nothing but clear() resets it. Callers that ignore errors for a
// while test it afterwards.
class PendingError {
public:
    static const EngineError& get();
    static bool isSet();
    static void set(int number, const QString& text);
    static void set(const EngineError& error);
    static void clear();
};

} // namespace vandrel
