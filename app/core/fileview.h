#pragma once

// A whole open file (a quickpak handle) as one read-only block of bytes.

#include <QByteArray>
#include <QtGlobal>

namespace vandrel::quickpak {

// A read-only view of the whole of an open file, for scanning it in one pass without
// copying: memory-mapped, or read into memory where the file cannot be mapped. It stays
// valid after FClose. The program replaces such files in one step (a new file renamed
// over the old one), so a view never sees a file cut short under it.
class FileView {
public:
    FileView() = default;
    FileView(FileView&& other) noexcept;
    FileView& operator=(FileView&& other) noexcept;
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;
    ~FileView();
    const char* data() const { return map_ ? static_cast<const char*>(map_) : copy_.constData(); }
    qint64 size() const { return size_; }
    bool isEmpty() const { return size_ == 0; }

private:
    friend FileView FView(int handle);
    void release();
    void* map_ = nullptr;
    qint64 size_ = 0;
    QByteArray copy_;
};

// The view of an open handle; empty (and an error) when the handle is not open for
// reading or the file cannot be read.
FileView FView(int handle);

} // namespace vandrel::quickpak
