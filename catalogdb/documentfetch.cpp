#include "catalogdb/documentfetch.h"

#include "app/core/apptitle.h"
#include "app/core/cp1252.h"
#include "app/core/quickpak.h"
#include "app/core/settings.h"
#include "app/core/locations.h"
#include "app/core/ui.h"
#include "catalogdb/engineerror.h"
#include "catalogdb/field.h"
#include "catalogdb/genliblibrary.h"
#include "catalogdb/recordset.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include <limits>

namespace vandrel {

namespace qp = quickpak;

namespace {

constexpr int InvalidPicture = 481;
constexpr int ObjectNotSet = 91;

DocumentFetchCounters counters;
std::function<void(qint64, qint64)> chunkObserver;

DocumentError lastFileError()
{
    const int number = qp::WhichError();
    return {number, qp::ErrorMsg(number)};
}

// The field as the bytes it puts in a file.
QByteArray fieldBytes(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    return cp1252::fromUnicode(value.toString());
}

DocumentError checkField(const Recordset& recordset, int field)
{
    if (field < 0 || field >= recordset.fieldCount())
        return {EngineError::ItemNotFound, QStringLiteral("Het veld %1 bestaat niet.").arg(field)};
    if (!recordset.hasCurrent())
        return {EngineError::NoCurrentRecord, QStringLiteral("Er is geen huidige record.")};
    return {};
}

qint32 fieldSize(const Recordset& recordset, int field)
{
    const QVariant v = recordset.value(field);
    if (!v.isValid() || v.isNull())
        return 0;
    const qsizetype n = v.typeId() == QMetaType::QByteArray ? v.toByteArray().size() : v.toString().size();
    return qint32(qMin<qsizetype>(n, std::numeric_limits<qint32>::max()));
}

DocumentError writeFieldTo(int handle, const Recordset& recordset, int field, qint32 size,
                           qint32 chunkLimit)
{
    if (size > chunkLimit) {
        qint64 offset = 0;
        while (offset < size) {
            const qint64 count = qMin<qint64>(DocumentChunkSize, size - offset);
            if (chunkObserver)
                chunkObserver(offset, count);
            const QByteArray piece = fieldBytes(recordset.getChunk(field, offset, count));
            // A field shorter than the size given: nothing more to take.
            if (piece.isEmpty())
                break;
            qp::FPut(handle, piece);
            if (qp::DOSError())
                return lastFileError();
            offset += piece.size();
        }
        return {};
    }
    const QByteArray whole = fieldBytes(recordset.value(field));
    if (chunkObserver)
        chunkObserver(0, whole.size());
    if (!whole.isEmpty()) {
        qp::FPut(handle, whole);
        if (qp::DOSError())
            return lastFileError();
    }
    return {};
}

void showFetchError(const DocumentError& error)
{
    msgBox(QStringLiteral("(%1) %2").arg(error.number).arg(error.text), MsgIcon::Warning,
           MsgButtons::Ok, QStringLiteral("FetchDocument"));
}

// Steps 2 to 7 of a fetch; a decompression status comes back in status.
DocumentError fetch(QLabel* picture, const Recordset& recordset, int field, int& status)
{
    status = 0;
    QString dir = programState().programDirectory;
    if (dir.isEmpty())
        dir = locations::programDirectory();
    const QString compressedFile = dir + QStringLiteral("Temporary.FetchedCompressedData.tmp");
    const QString imageFile = dir + QStringLiteral("Temporary.FetchedImageData.tmp");

    if (!picture)
        return {ObjectNotSet, QStringLiteral("Objectvariabele niet ingesteld")};

    if (qp::Exist(imageFile)) {
        qp::KillFile(imageFile);
        if (qp::DOSError())
            return lastFileError();
    }

    if (DocumentError e = checkField(recordset, field); e.isSet())
        return e;

    // A compressed file left by an interrupted fetch would not be shortened by the copy
    // and its tail would be read back with the new data.
    if (qp::Exist(compressedFile)) {
        qp::KillFile(compressedFile);
        if (qp::DOSError())
            return lastFileError();
    }
    QByteArray data;
    {
        DocumentError e = CopyFieldToFile(recordset, field, compressedFile, fieldSize(recordset, field),
                                          DocumentChunkSize);
        if (!e.isSet()) {
            int handle = 0;
            qp::FOpenAll(compressedFile, qp::AccessRead, qp::ShareCompatibility, handle);
            if (qp::DOSError()) {
                e = lastFileError();
            } else {
                const qint64 length = qp::FLof(handle);
                if (length > 0) {
                    data.resize(qsizetype(length));
                    qp::FGet(handle, data);
                    if (qp::DOSError())
                        e = lastFileError();
                }
                qp::FClose(handle);
            }
        }
        // Never left behind, whatever happened.
        if (qp::Exist(compressedFile)) {
            qp::KillFile(compressedFile);
            if (qp::DOSError() && !e.isSet())
                e = lastFileError();
        }
        if (e.isSet())
            return e;
    }

    GenlibLibrary::Error libraryError;
    const std::optional<int> result = GenlibLibrary::decompressString(data, libraryError);
    if (!result)
        return {libraryError.number, libraryError.text};
    if (*result != 0) {
        status = *result;
        return {};
    }

    qp::FCreate(imageFile);
    if (qp::DOSError())
        return lastFileError();
    qp::ClipFile(imageFile, data.size());
    if (qp::DOSError())
        return lastFileError();
    int handle = 0;
    qp::FOpenAll(imageFile, qp::AccessWrite, qp::ShareCompatibility, handle);
    if (qp::DOSError())
        return lastFileError();
    qp::FPut(handle, data);
    const bool writeFailed = qp::DOSError();
    const DocumentError writeError = writeFailed ? lastFileError() : DocumentError{};
    qp::FClose(handle);
    if (writeFailed)
        return writeError;
    if (qp::DOSError())
        return lastFileError();

    QImageReader reader(qp::localPath(imageFile));
    const QImage image = reader.read();
    if (image.isNull())
        return {InvalidPicture, QStringLiteral("Ongeldige afbeelding")};
    picture->setPixmap(QPixmap::fromImage(image));
    return {};
}

} // namespace

DocumentError CopyFieldToFile(const Recordset& recordset, int field, const QString& fileName,
                              qint32 size, qint32 chunkLimit)
{
    if (DocumentError e = checkField(recordset, field); e.isSet())
        return e;
    if (!qp::Exist(fileName)) {
        qp::FCreate(fileName);
        if (qp::DOSError())
            return lastFileError();
    }
    int handle = 0;
    qp::FOpenAll(fileName, qp::AccessWrite, qp::ShareCompatibility, handle);
    if (qp::DOSError())
        return lastFileError();
    DocumentError error;
    const int type = recordset.fieldType(field);
    if (type == Field::LongBinary || type == Field::Memo)
        error = writeFieldTo(handle, recordset, field, size, chunkLimit);
    qp::FClose(handle);
    if (!error.isSet() && qp::DOSError())
        error = lastFileError();
    return error;
}

DocumentError CopyFieldToFile(const Recordset& recordset, const QString& field,
                              const QString& fileName, qint32 size, qint32 chunkLimit)
{
    const int i = recordset.fieldIndex(field);
    if (i < 0)
        return {EngineError::ItemNotFound, QStringLiteral("Het veld '%1' bestaat niet.").arg(field)};
    return CopyFieldToFile(recordset, i, fileName, size, chunkLimit);
}

bool FetchDocument(QLabel* picture, const Recordset& recordset, int field)
{
    ++counters.calls;
    int status = 0;
    const DocumentError error = fetch(picture, recordset, field, status);
    if (status != 0) {
        msgBox(QStringLiteral("%1: Decompression Error").arg(status), MsgIcon::Warning, MsgButtons::Ok,
               AppTitle::programTitle);
        return false;
    }
    if (error.isSet()) {
        showFetchError(error);
        return false;
    }
    ++counters.loaded;
    return true;
}

bool FetchDocument(QLabel* picture, const Recordset& recordset, const QString& field)
{
    const int i = recordset.fieldIndex(field);
    if (i < 0) {
        ++counters.calls;
        showFetchError({EngineError::ItemNotFound, QStringLiteral("Het veld '%1' bestaat niet.").arg(field)});
        return false;
    }
    return FetchDocument(picture, recordset, i);
}

const DocumentFetchCounters& documentFetchCounters()
{
    return counters;
}

void resetDocumentFetchCounters()
{
    counters = {};
}

void setFieldChunkObserverForTesting(std::function<void(qint64 offset, qint64 count)> observer)
{
    chunkObserver = std::move(observer);
}

} // namespace vandrel
