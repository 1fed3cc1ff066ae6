#include "documents/shell/MemoryInput.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vc {

namespace {

// The state behind one handle; libbfio owns it (managed) and frees it
// through freeRange, clones included.
struct Range {
    const uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0;
    bool open = false;
};

Range* range(intptr_t* io) {
    return reinterpret_cast<Range*>(io);
}

int freeRange(intptr_t** io, libbfio_error_t**) {
    if (io && *io) {
        delete range(*io);
        *io = nullptr;
    }
    return 1;
}

int cloneRange(intptr_t** destination, intptr_t* source, libbfio_error_t**) {
    if (!destination || !source)
        return -1;
    auto* copy = new Range(*range(source));
    copy->offset = 0;
    copy->open = false;
    *destination = reinterpret_cast<intptr_t*>(copy);
    return 1;
}

int openRange(intptr_t* io, int accessFlags, libbfio_error_t**) {
    if (accessFlags & LIBBFIO_ACCESS_FLAG_WRITE)
        return -1; // evidence is only read
    range(io)->open = true;
    range(io)->offset = 0;
    return 1;
}

int closeRange(intptr_t* io, libbfio_error_t**) {
    range(io)->open = false;
    return 0;
}

ssize_t readRange(intptr_t* io, uint8_t* buffer, std::size_t size, libbfio_error_t**) {
    Range* r = range(io);
    if (!r->open || !buffer)
        return -1;
    if (r->offset >= r->size)
        return 0;
    const std::size_t count = std::min(size, r->size - r->offset);
    std::memcpy(buffer, r->data + r->offset, count);
    r->offset += count;
    return ssize_t(count);
}

ssize_t writeRange(intptr_t*, const uint8_t*, std::size_t, libbfio_error_t**) {
    return -1;
}

off64_t seekRange(intptr_t* io, off64_t offset, int whence, libbfio_error_t**) {
    Range* r = range(io);
    off64_t base = 0;
    if (whence == SEEK_CUR)
        base = off64_t(r->offset);
    else if (whence == SEEK_END)
        base = off64_t(r->size);
    else if (whence != SEEK_SET)
        return -1;
    if (offset < -base || offset > INT64_MAX - base)
        return -1;
    // Beyond the end is allowed (a read there gives nothing), as in a file.
    r->offset = std::size_t(base + offset);
    return off64_t(r->offset);
}

int rangeExists(intptr_t*, libbfio_error_t**) {
    return 1;
}

int rangeIsOpen(intptr_t* io, libbfio_error_t**) {
    return range(io)->open ? 1 : 0;
}

int rangeSize(intptr_t* io, size64_t* size, libbfio_error_t**) {
    *size = range(io)->size;
    return 1;
}

} // namespace

MemoryInput::MemoryInput(QByteArrayView bytes) {
    auto* r = new Range;
    r->data = reinterpret_cast<const uint8_t*>(bytes.data());
    r->size = std::size_t(bytes.size());
    if (libbfio_handle_initialize(
            &m_handle, reinterpret_cast<intptr_t*>(r), freeRange, cloneRange, openRange, closeRange,
            readRange, writeRange, seekRange, rangeExists, rangeIsOpen, rangeSize,
            LIBBFIO_FLAG_IO_HANDLE_MANAGED | LIBBFIO_FLAG_IO_HANDLE_CLONE_BY_FUNCTION,
            nullptr) != 1) {
        delete r;
        m_handle = nullptr;
    }
}

MemoryInput::~MemoryInput() {
    if (m_handle)
        libbfio_handle_free(&m_handle, nullptr);
}

} // namespace vc
