#pragma once

#include "evidence/Sources.h"

namespace vc {

// The Cache table of the "Chrome, Edge, Firefox" tab: every entry of the
// disk caches of a user's browser profiles, with the preview of the cached
// pictures.
SourceSpec webCacheSource();

// The file name a cached body is previewed under: its kind's extension
// from the entry's Content-Type ("image/png" gives "body.png"); empty when
// the type is not a picture.
QString cachedPictureName(const QString& contentType);

} // namespace vc
