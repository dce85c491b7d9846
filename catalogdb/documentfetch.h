#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QLabel;

namespace vandrel {

class Recordset;

// A failure of a step of a fetch: a run-time error number and its Dutch text, numbered as
// the classic runtime does: file errors as the QuickPak layer numbers them, engine errors
// as the engine does (3265 no such field, 3021 no current row), 481 "Ongeldige afbeelding"
// for a picture that does not load, 91 for a missing picture control, 7 when the library
// cannot allocate the string, 48/453 when the library cannot be bound (GenlibLibrary).
struct DocumentError {
    int number = 0;
    QString text;
    bool isSet() const { return number != 0; }
};

inline constexpr qint32 DocumentChunkSize = 16384;

// Copies size bytes of a long binary (11) or memo (12) field of the current row into the
// file, which is opened for binary writing: created when missing, otherwise written over
// from its start and not shortened. When size exceeds chunkLimit the field is taken in
// pieces of 16384 (the last one the rest), otherwise its whole value at once. Memo text is
// written one byte per character (Windows-1252, "?" for others). For any other type the
// file is opened and closed unchanged. A field shorter than size ends the copy early.
// Returns the first error (none when everything was written).
DocumentError CopyFieldToFile(const Recordset& recordset, int field, const QString& fileName,
                              qint32 size, qint32 chunkLimit);
DocumentError CopyFieldToFile(const Recordset& recordset, const QString& field,
                              const QString& fileName, qint32 size, qint32 chunkLimit);

// Shows the compressed picture in a field of the current row on the label: the field goes
// through "Temporary.FetchedCompressedData.tmp" (never left behind) and, decompressed by
// GENLIB40, into "Temporary.FetchedImageData.tmp" (left until the next fetch), both in the
// program directory, from which the picture is loaded. On failure a warning is shown -
// "<status>: Decompression Error" under the program title, or "(<number>) <text>" under
// "FetchDocument" - the label keeps its picture and the result is false.
bool FetchDocument(QLabel* picture, const Recordset& recordset, int field);
bool FetchDocument(QLabel* picture, const Recordset& recordset, const QString& field);

// How many fetches were asked for and how many loaded their picture, since the start or
// the last reset (for callers that must not fetch the same picture twice, and their tests).
struct DocumentFetchCounters {
    int calls = 0;
    int loaded = 0;
};
const DocumentFetchCounters& documentFetchCounters();
void resetDocumentFetchCounters();

// Test seam: called for every piece CopyFieldToFile takes from the field (offset, count
// asked for); an empty function removes it.
void setFieldChunkObserverForTesting(std::function<void(qint64 offset, qint64 count)> observer);

} // namespace vandrel
