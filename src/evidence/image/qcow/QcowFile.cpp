#include "evidence/image/qcow/QcowFile.h"

#include <libqcow.h>

namespace vc::qcow {

struct File {
    libqcow_file_t* handle = nullptr;
    long long size = 0;
};

namespace {

std::string takeError(libqcow_error_t* error) {
    std::string text;
    if (error) {
        char buffer[1024] = {};
        libqcow_error_sprint(error, buffer, sizeof buffer);
        text = buffer;
        libqcow_error_free(&error);
    }
    return text.empty() ? std::string("libqcow failed") : text;
}

} // namespace

File* open(const char* path, std::string* error) {
    libqcow_error_t* e = nullptr;
    File* file = new File;
    if (libqcow_file_initialize(&file->handle, &e) != 1) {
        *error = takeError(e);
        delete file;
        return nullptr;
    }
    size64_t size = 0;
    if (libqcow_file_open(file->handle, path, LIBQCOW_OPEN_READ, &e) != 1 ||
        libqcow_file_get_media_size(file->handle, &size, &e) != 1) {
        *error = takeError(e);
        libqcow_file_free(&file->handle, nullptr);
        delete file;
        return nullptr;
    }
    file->size = static_cast<long long>(size);
    return file;
}

long long mediaSize(const File* file) {
    return file->size;
}

long long read(File* file, long long offset, char* out, size_t size, std::string* error) {
    libqcow_error_t* e = nullptr;
    const ssize_t n = libqcow_file_read_buffer_at_offset(file->handle, out, size, offset, &e);
    if (n < 0) {
        *error = takeError(e);
        return -1;
    }
    return n;
}

void close(File* file) {
    if (!file)
        return;
    libqcow_file_close(file->handle, nullptr);
    libqcow_file_free(&file->handle, nullptr);
    delete file;
}

} // namespace vc::qcow
