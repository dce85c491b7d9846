// A checked view of a caller's one-dimensional safe array. Every element access goes through
// the array's own bounds, so no export can reach outside the array it was given.
#pragma once

#include "abi.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace genlib {

class VectorView {
public:
    // elementSize: the size the export works on; an array of another kind is left alone.
    VectorView(SAFEARRAY** handle, size_t elementSize);
    ~VectorView();
    VectorView(const VectorView&) = delete;
    VectorView& operator=(const VectorView&) = delete;

    bool valid() const { return data_ != nullptr; }
    int64_t lower() const { return lower_; }
    int64_t upper() const { return lower_ + int64_t(count_) - 1; }
    size_t count() const { return count_; }
    bool contains(int64_t index) const { return valid() && index >= lower() && index <= upper(); }

    template <class T> T* elements() const { return static_cast<T*>(data_); }

    // String arrays: the element at index (caller's numbering), and replacing it.
    std::string_view text(int64_t index) const;
    void setText(int64_t index, std::string_view bytes);
    BSTR& slot(int64_t index) const { return elements<BSTR>()[index - lower_]; }

private:
    SAFEARRAY* array_ = nullptr;
    void* data_ = nullptr;
    int64_t lower_ = 0;
    size_t count_ = 0;
};

} // namespace genlib
