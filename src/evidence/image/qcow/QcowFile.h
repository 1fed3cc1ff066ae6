#pragma once

// QCOW2 images through libqcow, in a library of their own: libqcow carries
// its own copy of libbfio and libyal's support libraries, of other versions
// than the ones The Sleuth Kit's image libraries (libewf, libvmdk, libvhdi)
// and libvshadow load; linked statically here with its symbols kept inside,
// neither can call into the other's copy.

#include <cstddef>
#include <string>

namespace vc::qcow {

struct File;

// Opens the image for reading only; nullptr with *error when it cannot.
__attribute__((visibility("default"))) File* open(const char* path, std::string* error);
// The size of the disk the image holds, in bytes.
__attribute__((visibility("default"))) long long mediaSize(const File* file);
// Reads up to size bytes at offset; the number read, or -1 with *error.
__attribute__((visibility("default"))) long long read(File* file, long long offset, char* out,
                                                      size_t size, std::string* error);
__attribute__((visibility("default"))) void close(File* file);

} // namespace vc::qcow
