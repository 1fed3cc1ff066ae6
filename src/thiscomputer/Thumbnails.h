#pragma once

#include "language/TextIds.h"
#include "platform/LoadContext.h"
#include "tables/TableModel.h"
#include "windows/WindowsRowWriter.h"

#include <QByteArray>

#include <vector>

namespace vc {

class EvidenceFiles;
class RowSink;

// The Thumbnails table: one row per picture of a Linux home's thumbnail
// cache (~/.cache/thumbnails, as freedesktop.org desktops keep it).
// Its text cells are UTF-8; its date cells are time cells.
enum ThumbnailColumn {
    kThumbOriginalAddress,  // Thumb::URI
    kThumbOriginalSize,     // Thumb::Size
    kThumbOriginalModified, // Thumb::MTime
    kThumbOriginalExists,   // whether the file the address names is still there
    kThumbModified,         // the thumbnail file's own times
    kThumbAccessed,
    kThumbCreated,
    kThumbSizeClass, // normal, large, x-large, xx-large, fail/APPLICATION
    kThumbMimeType,  // Thumb::Mimetype
    kThumbSoftware,  // Software: the program that made it
    kThumbPixels,    // the picture's width x height (IHDR)
    kThumbFile,      // the thumbnail file
    kThumbNote,
    kThumbColumnCount
};

inline std::vector<TableColumn> thumbnailColumns() {
    return {{TextOriginalAddress, false, 0.40},
            {TextOriginalSize, false, 0.08},
            {TextOriginalModified, true, 0.15, TextEventOriginalModified},
            {TextOriginalExists, false, 0.07},
            {TextThumbnailModified, true, 0.15, TextEventThumbnailMade},
            {TextThumbnailAccessed, true, 0.15},
            {TextThumbnailCreated, true, 0.15},
            {TextSizeClass, false, 0.08},
            {TextMimeType, false, 0.10},
            {TextSoftware, false, 0.10},
            {TextPictureSize, false, 0.08},
            {TextThumbnailFile, false, 0.35},
            {TextNote, false, 0.20}};
}

// The size folders of the cache, in this order; "fail" holds one folder per
// program whose thumbnails failed.
inline constexpr const char* kThumbnailSizeFolders[] = {"normal", "large", "x-large", "xx-large",
                                                        "fail"};
// Thumbnails of one folder read at most.
constexpr int kMaxThumbnailsPerFolder = 1000000;

// The rows of the thumbnail cache below cacheFolder (~/.cache/thumbnails):
// each size folder's PNG files by name. A file that is not a PNG picture,
// or names no original, still gives its row, with a note; one message
// names them. The number of thumbnails read.
int readThumbnails(const EvidenceFiles& files, const QByteArray& cacheFolder,
                   WindowsRowWriter& writer, QStringList* unreadable);

// The Thumbnails table of a Linux home, in one batch of the sink.
WindowsLoadResult loadThumbnails(const EvidenceFiles& files, const QByteArray& home,
                                 const LoadContext& context, RowSink& sink);

} // namespace vc
