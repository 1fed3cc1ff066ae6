#include "evidence/image/reading/ShadowCopies.h"

#include <libbfio.h>
#define LIBVSHADOW_HAVE_BFIO
#include <libvshadow.h>

#include <QString>

#include <cstdio>

namespace vc::image {

namespace {

// The most shadow copies one volume may claim (Windows keeps at most 64).
constexpr int kMaxStores = 512;

// A range of a TSK image as a file for libbfio.
struct VolumeRange {
    TSK_IMG_INFO* image;
    TSK_OFF_T offset;
    TSK_OFF_T size;
    TSK_OFF_T position = 0;
};

VolumeRange* rangeOf(intptr_t* io) {
    return reinterpret_cast<VolumeRange*>(io);
}

int rangeFree(intptr_t** io, libbfio_error_t**) {
    delete rangeOf(*io);
    *io = nullptr;
    return 1;
}

int rangeClone(intptr_t** destination, intptr_t* source, libbfio_error_t**) {
    *destination = reinterpret_cast<intptr_t*>(new VolumeRange(*rangeOf(source)));
    return 1;
}

int rangeOpen(intptr_t*, int, libbfio_error_t**) {
    return 1;
}

int rangeClose(intptr_t*, libbfio_error_t**) {
    return 0;
}

ssize_t rangeRead(intptr_t* io, uint8_t* buffer, size_t size, libbfio_error_t**) {
    VolumeRange* r = rangeOf(io);
    if (r->position >= r->size)
        return 0;
    const size_t want = size_t(std::min<TSK_OFF_T>(TSK_OFF_T(size), r->size - r->position));
    const ssize_t n =
        tsk_img_read(r->image, r->offset + r->position, reinterpret_cast<char*>(buffer), want);
    if (n < 0)
        return -1;
    r->position += n;
    return n;
}

ssize_t rangeWrite(intptr_t*, const uint8_t*, size_t, libbfio_error_t**) {
    return -1;
}

off64_t rangeSeek(intptr_t* io, off64_t offset, int whence, libbfio_error_t**) {
    VolumeRange* r = rangeOf(io);
    TSK_OFF_T to = offset;
    if (whence == SEEK_CUR)
        to += r->position;
    else if (whence == SEEK_END)
        to += r->size;
    else if (whence != SEEK_SET)
        return -1;
    if (to < 0)
        return -1;
    r->position = to;
    return to;
}

int rangeExists(intptr_t*, libbfio_error_t**) {
    return 1;
}

int rangeIsOpen(intptr_t*, libbfio_error_t**) {
    return 1;
}

int rangeSize(intptr_t* io, size64_t* size, libbfio_error_t**) {
    *size = size64_t(rangeOf(io)->size);
    return 1;
}

QString takeError(libvshadow_error_t* error) {
    QString text;
    if (error) {
        char buffer[1024] = {};
        libvshadow_error_sprint(error, buffer, sizeof buffer);
        text = QString::fromUtf8(buffer).simplified();
        libvshadow_error_free(&error);
    }
    return text.isEmpty() ? QStringLiteral("libvshadow failed") : text;
}

// libvshadow's volume with the handle it reads through.
struct ShadowVolume {
    libbfio_handle_t* handle = nullptr;
    libvshadow_volume_t* volume = nullptr;
    ~ShadowVolume() {
        if (volume) {
            libvshadow_volume_close(volume, nullptr);
            libvshadow_volume_free(&volume, nullptr);
        }
        if (handle)
            libbfio_handle_free(&handle, nullptr);
    }
};

struct ShadowStore {
    std::shared_ptr<ShadowVolume> volume;
    libvshadow_store_t* store = nullptr;
    ~ShadowStore() {
        if (store)
            libvshadow_store_free(&store, nullptr);
    }
};

class StoreSource : public ExternalSource {
public:
    explicit StoreSource(libvshadow_store_t* store) : m_store(store) {}
    ssize_t read(TSK_OFF_T offset, char* out, size_t len) override {
        libvshadow_error_t* error = nullptr;
        const ssize_t n = libvshadow_store_read_buffer_at_offset(m_store, out, len, offset, &error);
        if (n < 0) {
            tsk_error_reset();
            tsk_error_set_errno(TSK_ERR_IMG_READ);
            tsk_error_set_errstr("%s", qPrintable(takeError(error)));
        }
        return n;
    }

private:
    libvshadow_store_t* m_store;
};

} // namespace

bool readShadowCopies(TSK_IMG_INFO* image, TSK_OFF_T offset, TSK_OFF_T size,
                      std::vector<ShadowCopy>* copies, QString* error) {
    copies->clear();
    auto volume = std::make_shared<ShadowVolume>();
    auto* range = new VolumeRange{image, offset, size};
    if (libbfio_handle_initialize(
            &volume->handle, reinterpret_cast<intptr_t*>(range), rangeFree, rangeClone, rangeOpen,
            rangeClose, rangeRead, rangeWrite, rangeSeek, rangeExists, rangeIsOpen, rangeSize,
            LIBBFIO_FLAG_IO_HANDLE_MANAGED | LIBBFIO_FLAG_IO_HANDLE_CLONE_BY_FUNCTION,
            nullptr) != 1) {
        delete range;
        *error = QStringLiteral("libbfio failed");
        return false;
    }
    libvshadow_error_t* e = nullptr;
    const int signature = libvshadow_check_volume_signature_file_io_handle(volume->handle, &e);
    if (signature != 1) {
        libvshadow_error_free(&e);
        return true; // no shadow copies on this volume
    }
    int stores = 0;
    if (libvshadow_volume_initialize(&volume->volume, &e) != 1 ||
        libvshadow_volume_open_file_io_handle(volume->volume, volume->handle, LIBVSHADOW_OPEN_READ,
                                              &e) != 1 ||
        libvshadow_volume_get_number_of_stores(volume->volume, &stores, &e) != 1) {
        *error = takeError(e);
        return false;
    }
    stores = std::min(stores, kMaxStores);
    for (int i = 0; i < stores; ++i) {
        auto store = std::make_shared<ShadowStore>();
        store->volume = volume;
        size64_t storeSize = 0;
        uint64_t created = 0;
        if (libvshadow_volume_get_store(volume->volume, i, &store->store, &e) != 1 ||
            libvshadow_store_get_volume_size(store->store, &storeSize, &e) != 1 ||
            libvshadow_store_get_creation_time(store->store, &created, &e) != 1) {
            *error = takeError(e);
            copies->clear();
            return false;
        }
        TSK_IMG_INFO* storeImage =
            openExternalImage(std::make_unique<StoreSource>(store->store), TSK_OFF_T(storeSize));
        if (!storeImage) {
            *error = tskErrorText();
            copies->clear();
            return false;
        }
        std::shared_ptr<TSK_IMG_INFO> owned(storeImage, [store](TSK_IMG_INFO* img) mutable {
            tsk_img_close(img);
            store.reset();
        });
        copies->push_back(ShadowCopy{std::move(owned), quint64(created)});
    }
    return true;
}

} // namespace vc::image
