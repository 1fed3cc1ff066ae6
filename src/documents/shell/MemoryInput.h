#pragma once

#include <QByteArrayView>

#include <libbfio.h>

namespace vc {

// A libbfio handle over bytes already in memory, for liblnk and libolecf.
// libbfio's own memory range (20170123) copies the whole requested size
// even past the end of the range; this handle never reads beyond the bytes
// and answers a read at the end with fewer bytes, so a cut file reads as
// cut. The bytes must outlive the handle.
class MemoryInput {
public:
    explicit MemoryInput(QByteArrayView bytes);
    ~MemoryInput();
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    // Null when libbfio could not make the handle.
    libbfio_handle_t* handle() const { return m_handle; }

private:
    libbfio_handle_t* m_handle = nullptr;
};

} // namespace vc
