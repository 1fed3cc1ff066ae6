#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class WindowFrame;

// The focused row of the Cache table when that table is in front, or the
// row of the focused event when the Timeline is in front and the event is
// one of a cached entry; -1 otherwise. The file actions then work on the
// entry's body, which has no file of its own: it is read from the cache's
// files into a private copy.
int FocusedCacheRow(WindowFrame& form);
// The address of a row of the Cache table (what the file actions name).
QString CacheRowAddress(WindowFrame& form, int row);
// Writes the body of a row of the Cache table (decompressed where it is
// stored compressed) to a private copy named as "Copy to..." names it (the
// address's last path part or the entry's id, with the content type's
// extension); empty, after saying what failed, when it cannot be read.
QString CacheBodyCopy(WindowFrame& form, int row);

} // namespace vc
