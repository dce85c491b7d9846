#include "catalogdb/scanfile.h"

#include "app/core/cp1252.h"
#include "app/core/fileview.h"
#include "app/core/helpers.h"
#include "app/core/percform.h"
#include "app/core/quickpak.h"
#include "catalogdb/database.h"
#include "catalogdb/recordset.h"

#include <QFile>

#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

namespace vandrel {
namespace {

namespace qp = quickpak;

constexpr int batchEntries = 512;
constexpr int maxWords = 99;


// A word prepared for case-blind Horspool search: folded bytes and the shift table.
struct FoldedWord {
    QByteArray folded;
    std::array<int, 256> shift{};

    explicit FoldedWord(const QByteArray& word)
    {
        const auto& f = cp1252::lowerCaseTable();
        folded.resize(word.size());
        for (qsizetype i = 0; i < word.size(); ++i)
            folded[i] = char(f[static_cast<unsigned char>(word[i])]);
        const int m = int(folded.size());
        std::array<int, 256> byFolded;
        byFolded.fill(m);
        for (int i = 0; i + 1 < m; ++i)
            byFolded[static_cast<unsigned char>(folded[i])] = m - 1 - i;
        // Both letter cases of a byte shift alike.
        for (int b = 0; b < 256; ++b)
            shift[b] = byFolded[f[b]];
    }

    // 0-based position of the first match at or after from in [data, data+size); -1 if none.
    qsizetype find(const char* data, qsizetype size, qsizetype from) const
    {
        const qsizetype m = folded.size();
        if (m == 0)
            return from <= size ? from : -1;
        if (from < 0 || size - from < m)
            return -1;
        const auto& f = cp1252::lowerCaseTable();
        const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
        const unsigned char* w = reinterpret_cast<const unsigned char*>(folded.constData());
        const unsigned char lastW = w[m - 1];
        qsizetype i = from;
        const qsizetype end = size - m;
        while (i <= end) {
            const unsigned char last = p[i + m - 1];
            if (f[last] == lastW) {
                qsizetype j = m - 2;
                while (j >= 0 && f[p[i + j]] == w[j])
                    --j;
                if (j < 0)
                    return i;
            }
            i += shift[last];
        }
        return -1;
    }
};

// The process-wide scan state: one search at a time. The file is searched as a whole
// through a view of it (no chunks, so no entry is ever cut at a chunk boundary).
struct ScanState {
    qp::FileView view;
    int viewHandle = 0;
    qint64 floor = 0;       // 0-based: where reading began; an entry whose "@" lies before it is not seen
    qint64 searchStart = 0; // 0-based offset of the next search
    QList<QByteArray> words;
    std::vector<FoldedWord> folded; // the words prepared, first = the longest
    bool loaded = false;
};

ScanState& scanState()
{
    static ScanState s;
    return s;
}

void prepareWords(ScanState& s, const QList<QByteArray>& words, int wordCount)
{
    const int n = std::clamp(wordCount, 0, int(words.size()));
    if (s.words.size() == n && std::equal(s.words.begin(), s.words.end(), words.begin())
        && qsizetype(s.folded.size()) == n)
        return;
    s.words = words.mid(0, n);
    s.folded.clear();
    for (const QByteArray& w : s.words)
        s.folded.emplace_back(w);
}

class BuildMeter {
public:
    explicit BuildMeter(ProgressMeter* given)
        : meter_(given)
    {
        if (!meter_) {
            own_ = std::make_unique<PercFormMeter>();
            meter_ = own_.get();
        }
    }
    ProgressMeter* operator->() const { return meter_; }

private:
    std::unique_ptr<PercFormMeter> own_;
    ProgressMeter* meter_;
};

} // namespace

// ---------------------------------------------------------------------------------------

PercFormMeter::PercFormMeter() = default;
PercFormMeter::~PercFormMeter() = default;

void PercFormMeter::open(const QString& caption, const QString& label)
{
    if (!form_)
        form_ = std::make_unique<PercForm>();
    form_->setCaption(caption);
    form_->setLabel(label);
    form_->setPercent(0);
    form_->show();
    form_->refresh();
}

void PercFormMeter::setLabel(const QString& label)
{
    if (form_)
        form_->setLabel(label);
}

void PercFormMeter::setPercent(int percent)
{
    if (form_)
        form_->setPercent(percent);
}

void PercFormMeter::refresh()
{
    if (form_)
        form_->refresh();
}

void PercFormMeter::close()
{
    if (form_)
        form_->hide();
}

// ---------------------------------------------------------------------------------------

int BuildScanFile(const QString& fileName, Recordset& recordset, const QString& keyColumn,
                  const QString& textColumn, ProgressMeter* meter)
{
    // Written beside the old file: a search meanwhile, or a build cut off, still has the
    // previous complete file.
    const QString partial = fileName + QStringLiteral(".new");
    qp::FCreate(partial);
    if (qp::WhichError() != 0)
        return qp::WhichError();
    int handle = 0;
    qp::FOpenAll(partial, qp::AccessReadWrite, qp::ShareDenyWrite, handle);
    if (qp::WhichError() != 0 || handle == 0) {
        const int error = qp::WhichError() ? qp::WhichError() : qp::fileerror::BadFileNumber;
        qp::KillFile(partial);
        return error;
    }

    recordset.moveFirst();
    const qint64 rows = recordset.hasCurrent() ? recordset.recordCount() : 0;

    BuildMeter progress(meter);
    progress->open(QStringLiteral("ZT-Scanfile v2.0"), QStringLiteral("Building scanfile..."));
    progress->refresh();
    recordset.moveFirst();

    const int keyIndex = recordset.fieldIndex(keyColumn);
    const int textIndex = recordset.fieldIndex(textColumn);
    const qint64 step = std::max<qint64>(1, std::llround(double(rows) / 100.0));

    QByteArray batch;
    int inBatch = 0;
    qint64 done = 0;
    int writeError = 0; // the first failed write; later ones would only repeat it
    const auto put = [&](const QByteArray& bytes) {
        if (writeError != 0)
            return;
        qp::FPut(handle, bytes);
        writeError = qp::WhichError();
    };
    // One pass: the rows are read by one statement, not one query per row.
    recordset.forEachRow({keyIndex, textIndex}, [&] {
        const QVariant key = recordset.value(keyIndex);
        QByteArray keyBytes;
        if (key.typeId() == QMetaType::Int || key.typeId() == QMetaType::LongLong)
            keyBytes = QByteArray::number(key.toLongLong()); // as toString() writes it, without the detour
        else if (!key.isNull())
            keyBytes = cp1252::fromUnicode(key.toString().trimmed());
        if (!keyBytes.isEmpty()) {
            const QVariant text = recordset.value(textIndex);
            QByteArray textBytes = text.isNull() ? QByteArray() : cp1252::fromUnicode(text.toString().trimmed());
            // An "@" inside a text would start a false entry.
            textBytes.replace('@', ' ');
            batch += '@';
            batch += keyBytes;
            batch += '|';
            batch += textBytes;
            if (++inBatch == batchEntries) {
                put(batch);
                batch.clear();
                inBatch = 0;
            }
        }
        ++done;
        if (done % step == 0) {
            progress->setPercent(int(done / step));
            progress->refresh();
        }
        return true;
    });
    batch += QByteArray(512, '@');
    put(batch);
    qp::FClose(handle);
    progress->close();
    if (writeError != 0) {
        qp::KillFile(partial);
        return writeError;
    }
    // One step: the old file stays until the new one is whole.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(partial.toStdU16String()),
                            std::filesystem::path(fileName.toStdU16String()), ec);
    if (ec) {
        qp::KillFile(partial);
        return qp::fileerror::PathFileAccessError;
    }
    return 0;
}

int RebuildScanFile(Database& catalog, const QString& fileName, ProgressMeter* meter)
{
    auto products = catalog.openRecordset(QStringLiteral("Products"), Recordset::Table);
    if (!products || !products->setIndex(QStringLiteral("PrimaryKey")))
        return -1;
    // One read transaction: without it every row step locks and checks the file anew.
    const bool inTransaction = catalog.beginTrans();
    const int error =
        BuildScanFile(fileName, *products, QStringLiteral("ArtikelNr"), QStringLiteral("Beschrijving"), meter);
    if (inTransaction)
        catalog.commitTrans();
    return error;
}

bool scanFileComplete(const QString& fileName)
{
    QFile file(qp::localPath(fileName));
    if (!file.open(QIODevice::ReadOnly) || file.size() < 512)
        return false;
    if (!file.seek(file.size() - 512))
        return false;
    return file.read(512) == QByteArray(512, '@');
}

QList<QByteArray> scanWords(const QString& searchText)
{
    const QStringList split = Conv2Word(searchText, maxWords, QLatin1Char(' '));
    QList<QByteArray> words;
    for (const QString& w : split)
        words << cp1252::fromUnicode(w);
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        for (qsizetype j = i + 1; j < words.size(); ++j) {
            if (words[i].size() < words[j].size())
                std::swap(words[i], words[j]);
        }
    }
    return words;
}

qint32 ScanNext(int fileHandle, const QList<QByteArray>& words, int wordCount, qint32& state,
                QByteArray& entry)
{
    ScanState& s = scanState();
    const qint64 fileLength = qp::FLof(fileHandle);
    if (fileLength <= 0)
        return -1;
    prepareWords(s, words, wordCount);
    if (s.folded.empty() || s.folded.front().folded.isEmpty())
        return -1;

    if (!(state == 0 && s.loaded && s.viewHandle == fileHandle)) {
        qint64 from = state == -1 ? 1 : state;
        if (state == -1)
            state = 1;
        if (from <= 0)
            from = 1;
        if (from > fileLength)
            return -1;
        s.view = qp::FView(fileHandle);
        s.viewHandle = fileHandle;
        s.loaded = !s.view.isEmpty();
        if (!s.loaded || from > s.view.size())
            return -1;
        s.floor = s.searchStart = from - 1;
    }

    const char* data = s.view.data();
    const qsizetype size = qsizetype(s.view.size());
    qsizetype match;
    while ((match = s.folded.front().find(data, size, qsizetype(s.searchStart))) >= 0) {
        qsizetype at = match;
        while (at >= s.floor && data[at] != '@')
            --at;
        if (at < s.floor) {
            // Reading began inside this entry: it has no key.
            s.searchStart = match + 1;
            continue;
        }
        const auto* nextPtr = static_cast<const char*>(memchr(data + at + 1, '@', size_t(size - at - 1)));
        const qsizetype next = nextPtr ? nextPtr - data : -1;
        const qsizetype end = next < 0 ? size : next + 1; // the next "@" included
        // Resume at the next entry's "@", so that entry is searched whole.
        s.searchStart = next < 0 ? size : next;
        bool all = true;
        for (size_t w = 1; w < s.folded.size() && all; ++w)
            all = s.folded[w].find(data + at + 1, end - at - 1, 0) >= 0;
        if (all) {
            entry = QByteArray(data + at + 1, end - at - 1);
            return qint32(at + 1);
        }
    }
    // The end of the file: the view is let go until the next search.
    s.view = {};
    s.loaded = false;
    return -1;
}

bool ScanFind(int fileHandle, Recordset& recordset, qint32& state, const QString& searchText)
{
    static QList<QByteArray> words;
    if (state < 0) {
        words = scanWords(searchText);
        if (words.isEmpty())
            return false;
    }
    for (;;) {
        QByteArray entry;
        const qint32 result = ScanNext(fileHandle, words, int(words.size()), state, entry);
        state = result;
        if (result < 0)
            return false;
        state = 0;
        const qsizetype bar = entry.indexOf('|');
        bool ok = false;
        const qint64 key = (bar < 0 ? entry : entry.left(bar)).trimmed().toLongLong(&ok);
        if (!ok)
            continue;
        if (recordset.seek(QStringLiteral(">="), QVariant(key)) && !recordset.noMatch())
            return true;
    }
}

} // namespace vandrel
