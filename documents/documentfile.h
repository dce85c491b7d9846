#pragma once

#include <QByteArray>
#include <QString>

namespace vandrel {

// The file a document window shows, held open for reading and writing while the window
// shows it, with write access denied to others (a second window cannot open it).
//
// Saving is sound: the new content goes to a file beside the old one, is flushed to the
// disk and then replaces the old file in one step, after which the window holds the new
// file. A save that fails, or a program that dies half way, leaves the previous file as
// it was; a write error (disk full, medium gone) is reported, never called success.
class DocumentFile {
public:
    DocumentFile() = default;
    ~DocumentFile();
    DocumentFile(const DocumentFile&) = delete;
    DocumentFile& operator=(const DocumentFile&) = delete;

    // Opens and holds the file and reads it whole. False with errorNumber (a file error
    // number of the quickpak layer) when it cannot be opened or read; nothing is held then.
    bool open(const QString& path, QByteArray& content, int& errorNumber);
    // Writes content as the file at path (replacing it) and holds the new file. False with
    // errorNumber when it fails; the old file is then untouched and nothing is held.
    bool save(const QString& path, const QByteArray& content, int& errorNumber);
    // Lets go of the held file.
    void release();

    bool isHeld() const { return handle_ != 0; }
    // The file held (empty when none).
    const QString& path() const { return path_; }

    // The write step of save on its own: the file beside, flushed, then renamed over path.
    // A held handle of the caller's own on the old file stays valid (it keeps the old
    // content). 0 or a file error number.
    static int replaceFile(const QString& path, const QByteArray& content);

private:
    int handle_ = 0;
    QString path_;
};

} // namespace vandrel
