#include "exchange/ziparchive.h"

#include "exchange/zipcommand.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryFile>

#include <zip.h>

#include <memory>

namespace vandrel {

namespace {

bool hasSeparator(const QString& text)
{
    return text.contains(QLatin1Char('/')) || text.contains(QLatin1Char('\\'));
}

QString baseName(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

// Classic wildcard match with one backtrack point: O(name * pattern), never exponential.
bool wildcardMatch(const QString& name, const QString& pattern)
{
    qsizetype n = 0, p = 0, starP = -1, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size()
            && (pattern[p] == QLatin1Char('?')
                || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

struct ZipCloser {
    void operator()(zip_t* z) const
    {
        if (z)
            zip_discard(z);
    }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t* f) const
    {
        if (f)
            zip_fclose(f);
    }
};

QByteArray pathBytes(const QString& path)
{
    return QFile::encodeName(QDir::toNativeSeparators(path));
}

ZipHandle openArchive(const QString& archive, int flags, int& errorCode)
{
    int code = 0;
    zip_t* z = zip_open(pathBytes(archive).constData(), flags, &code);
    errorCode = z ? 0 : code;
    return ZipHandle(z);
}

void progressCallback(zip_t*, double fraction, void* state)
{
    static_cast<ZipEvents*>(state)->progress(int(fraction * 100.0 + 0.5));
}

} // namespace

bool matchesFileSpec(const QString& name, const QString& spec)
{
    if (spec.size() > 1 && spec.endsWith(QLatin1Char('.')) && !spec.endsWith(QLatin1String(".."))) {
        if (name.contains(QLatin1Char('.')))
            return false;
        return wildcardMatch(name, spec.left(spec.size() - 1));
    }
    return wildcardMatch(name, spec);
}

QString safeEntryPath(const QString& entryName)
{
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return {};
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return {};
    QStringList kept;
    for (const QString& part : name.split(QLatin1Char('/'))) {
        if (part == QLatin1String(".."))
            return {};
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part.contains(QChar(0)))
            return {};
        kept << part;
    }
    return kept.isEmpty() ? QString() : kept.join(QLatin1Char('/'));
}

QString ZipArchive::errorText(int code)
{
    switch (code) {
    case ZIP_ER_OK: return QStringLiteral("Geen fout");
    case ZIP_ER_MULTIDISK: return QStringLiteral("Archieven over meerdere schijven worden niet ondersteund");
    case ZIP_ER_RENAME: return QStringLiteral("Hernoemen van het tijdelijke bestand mislukt");
    case ZIP_ER_CLOSE: return QStringLiteral("Sluiten van het archief mislukt");
    case ZIP_ER_SEEK: return QStringLiteral("Zoekfout");
    case ZIP_ER_READ: return QStringLiteral("Leesfout");
    case ZIP_ER_WRITE: return QStringLiteral("Schrijffout");
    case ZIP_ER_CRC: return QStringLiteral("Controlesom klopt niet (CRC-fout)");
    case ZIP_ER_ZIPCLOSED: return QStringLiteral("Het archief is al gesloten");
    case ZIP_ER_NOENT: return QStringLiteral("Bestand niet gevonden");
    case ZIP_ER_EXISTS: return QStringLiteral("Bestand bestaat al");
    case ZIP_ER_OPEN: return QStringLiteral("Bestand kan niet worden geopend");
    case ZIP_ER_TMPOPEN: return QStringLiteral("Tijdelijk bestand kan niet worden aangemaakt");
    case ZIP_ER_ZLIB: return QStringLiteral("Fout in de compressie (zlib)");
    case ZIP_ER_MEMORY: return QStringLiteral("Onvoldoende geheugen");
    case ZIP_ER_CHANGED: return QStringLiteral("Onderdeel is gewijzigd");
    case ZIP_ER_COMPNOTSUPP: return QStringLiteral("Compressiemethode wordt niet ondersteund");
    case ZIP_ER_EOF: return QStringLiteral("Onverwacht einde van het bestand");
    case ZIP_ER_INVAL: return QStringLiteral("Ongeldige opgave");
    case ZIP_ER_NOZIP: return QStringLiteral("Geen ZIP-archief");
    case ZIP_ER_INTERNAL: return QStringLiteral("Interne fout");
    case ZIP_ER_INCONS: return QStringLiteral("Het archief is beschadigd");
    case ZIP_ER_REMOVE: return QStringLiteral("Bestand kan niet worden verwijderd");
    case ZIP_ER_DELETED: return QStringLiteral("Onderdeel is verwijderd");
    case ZIP_ER_ENCRNOTSUPP: return QStringLiteral("Versleutelingsmethode wordt niet ondersteund");
    case ZIP_ER_RDONLY: return QStringLiteral("Het archief is alleen-lezen");
    case ZIP_ER_NOPASSWD: return QStringLiteral("Geen wachtwoord opgegeven");
    case ZIP_ER_WRONGPASSWD: return QStringLiteral("Onjuist wachtwoord");
    case ZIP_ER_OPNOTSUPP: return QStringLiteral("Bewerking wordt niet ondersteund");
    case ZIP_ER_INUSE: return QStringLiteral("Bron is nog in gebruik");
    case ZIP_ER_TELL: return QStringLiteral("Positiefout");
    case ZIP_ER_COMPRESSED_DATA: return QStringLiteral("Gecomprimeerde gegevens zijn ongeldig");
    case ZIP_ER_CANCELLED: return QStringLiteral("Bewerking afgebroken");
    default: return QStringLiteral("Onbekende fout");
    }
}

bool ZipArchive::add(const QString& archive, const QString& sourceFolder, const QString& spec,
                     ZipEvents& events)
{
    events.started();
    auto fail = [&](int code, const QString& detail) {
        events.error(code, detail.isEmpty() ? errorText(code) : errorText(code) + QStringLiteral(": ") + detail);
        events.complete();
        return false;
    };

    const QDir dir(sourceFolder.isEmpty() ? QDir::currentPath() : sourceFolder);
    QStringList files;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& info : entries)
        if (matchesFileSpec(info.fileName(), spec))
            files << info.fileName();
    if (files.isEmpty())
        return fail(ZIP_ER_NOENT, QDir::toNativeSeparators(dir.filePath(spec)));

    int code = 0;
    ZipHandle z = openArchive(archive, ZIP_CREATE, code);
    if (!z)
        return fail(code, QDir::toNativeSeparators(archive));
    for (const QString& name : files) {
        events.compressing(name);
        zip_source_t* source = zip_source_file(z.get(), pathBytes(dir.filePath(name)).constData(), 0, -1);
        if (!source)
            return fail(zip_error_code_zip(zip_get_error(z.get())), name);
        if (zip_file_add(z.get(), name.toUtf8().constData(), source,
                         ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return fail(zip_error_code_zip(zip_get_error(z.get())), name);
        }
    }
    zip_register_progress_callback_with_state(z.get(), 0.01, progressCallback, nullptr, &events);
    if (zip_close(z.get()) != 0)
        return fail(zip_error_code_zip(zip_get_error(z.get())), QDir::toNativeSeparators(archive));
    (void)z.release(); // closed, and freed by zip_close
    events.progress(100);
    events.complete();
    return true;
}

bool ZipArchive::extract(const QString& archive, const QString& targetDirectory,
                         const QStringList& specs, bool overwrite, ZipEvents& events)
{
    events.started();
    struct Entry {
        zip_uint64_t index;
        QString name;
        QString relative;
        zip_uint64_t size;
        QString temporary;
    };
    QList<Entry> chosen;
    auto cleanUp = [&] {
        for (const Entry& e : chosen)
            if (!e.temporary.isEmpty())
                QFile::remove(e.temporary);
    };
    auto fail = [&](int code, const QString& detail) {
        cleanUp();
        events.error(code, detail.isEmpty() ? errorText(code) : errorText(code) + QStringLiteral(": ") + detail);
        events.complete();
        return false;
    };

    int code = 0;
    ZipHandle z = openArchive(archive, ZIP_RDONLY | ZIP_CHECKCONS, code);
    if (!z)
        return fail(code, QDir::toNativeSeparators(archive));

    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(z.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
            return fail(zip_error_code_zip(zip_get_error(z.get())), QString());
        const QString name = QString::fromUtf8(st.name);
        if (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\')))
            continue; // folders are made as their files need them
        const QString relative = safeEntryPath(name);
        if (relative.isEmpty())
            return fail(ZIP_ER_INVAL, QStringLiteral("naam buiten de doelmap geweigerd: \"%1\"").arg(name));
        bool wanted = false;
        for (const QString& spec : specs) {
            const QString pattern = QString(spec).replace(QLatin1Char('\\'), QLatin1Char('/'));
            if (matchesFileSpec(hasSeparator(pattern) ? relative : baseName(relative), pattern)) {
                wanted = true;
                break;
            }
        }
        if (!wanted)
            continue;
        const zip_uint64_t size = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
        chosen.append({zip_uint64_t(i), name, relative, size, QString()});
        total += size;
    }

    const QDir target(targetDirectory);
    if (!target.exists() && !QDir().mkpath(target.absolutePath()))
        return fail(ZIP_ER_OPEN, QDir::toNativeSeparators(targetDirectory));
    const QString targetRoot = QFileInfo(target.absolutePath()).canonicalFilePath();

    zip_uint64_t done = 0;
    int shown = -1;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (Entry& e : chosen) {
        events.decompressing(e.name);
        const QString finalPath = target.filePath(e.relative);
        const QString folder = QFileInfo(finalPath).absolutePath();
        if (!QDir().mkpath(folder))
            return fail(ZIP_ER_OPEN, QDir::toNativeSeparators(folder));
        // A folder in the target that is a link elsewhere must not carry the file out.
        const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
        if (canonicalFolder != targetRoot && !canonicalFolder.startsWith(targetRoot + QLatin1Char('/')))
            return fail(ZIP_ER_INVAL, QStringLiteral("naam buiten de doelmap geweigerd: \"%1\"").arg(e.name));

        QTemporaryFile out(finalPath + QStringLiteral(".XXXXXX"));
        out.setAutoRemove(false);
        if (!out.open())
            return fail(ZIP_ER_TMPOPEN, QDir::toNativeSeparators(finalPath));
        e.temporary = out.fileName();

        std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(z.get(), e.index, 0));
        if (!in)
            return fail(zip_error_code_zip(zip_get_error(z.get())), e.name);
        zip_uint64_t written = 0;
        for (;;) {
            const zip_int64_t got = zip_fread(in.get(), buffer.data(), zip_uint64_t(buffer.size()));
            if (got < 0)
                return fail(zip_error_code_zip(zip_file_get_error(in.get())), e.name);
            if (got == 0)
                break;
            if (out.write(buffer.constData(), got) != got)
                return fail(ZIP_ER_WRITE, QDir::toNativeSeparators(finalPath));
            written += zip_uint64_t(got);
            done += zip_uint64_t(got);
            const int percent = total ? int(std::min<zip_uint64_t>(100, done * 100 / total)) : 100;
            if (percent != shown) {
                shown = percent;
                events.progress(percent);
            }
        }
        if (written != e.size)
            return fail(ZIP_ER_INCONS, e.name);
        if (!out.flush())
            return fail(ZIP_ER_WRITE, QDir::toNativeSeparators(finalPath));
        // The temporary file is private; the unpacked file gets an ordinary file's mode.
        out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                           | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        out.close();
    }

    // Every entry came out whole: now put them in place.
    for (Entry& e : chosen) {
        const QString finalPath = target.filePath(e.relative);
        if (QFileInfo::exists(finalPath)) {
            if (!overwrite) {
                QFile::remove(e.temporary);
                e.temporary.clear();
                continue;
            }
            if (!QFile::remove(finalPath))
                return fail(ZIP_ER_REMOVE, QDir::toNativeSeparators(finalPath));
        }
        if (!QFile::rename(e.temporary, finalPath))
            return fail(ZIP_ER_RENAME, QDir::toNativeSeparators(finalPath));
        e.temporary.clear();
    }
    if (shown != 100)
        events.progress(100);
    events.complete();
    return true;
}

} // namespace vandrel
