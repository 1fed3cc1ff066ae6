#pragma once

#include "evidence/image/reading/ImageContainer.h"

#include <tsk/libtsk.h>

#include <memory>
#include <optional>
#include <vector>

namespace vc::image {

// One volume shadow copy of an NTFS volume, as a disk of its own for The
// Sleuth Kit; the last owner of image closes it, then libvshadow's handles.
struct ShadowCopy {
    std::shared_ptr<TSK_IMG_INFO> image;
    quint64 created = 0; // FILETIME
};

// The shadow copies of the volume at offset..offset+size of image, oldest
// first, read with libvshadow; an empty list for a volume that has none.
// False with *error when the volume says it has them but they cannot be
// read. Every call into libvshadow is made under the image's lock of the
// caller.
bool readShadowCopies(TSK_IMG_INFO* image, TSK_OFF_T offset, TSK_OFF_T size,
                      std::vector<ShadowCopy>* copies, QString* error);

} // namespace vc::image
