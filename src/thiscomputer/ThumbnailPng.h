#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace vc {

class EvidenceReader;

// What a thumbnail's PNG file says of itself: its size in pixels (IHDR)
// and its text chunks (tEXt, and iTXt that is not compressed), which the
// desktops of freedesktop.org fill with the original's facts
// (docs/formats/png-thumbnail.md). The chunks are walked by their lengths
// with positioned reads: the picture data is skipped, never read.
struct PngText {
    bool isPng = false; // the signature and an IHDR chunk were found
    quint32 width = 0;
    quint32 height = 0;
    // Keyword and text in the file's order (Latin-1 for tEXt, UTF-8 for
    // iTXt); at most kMaxPngTexts, each text at most kMaxPngTextBytes.
    QList<QPair<QByteArray, QString>> texts;
    // The walk stopped before IEND: a chunk that runs past the end of the
    // file, a read that failed, or too many chunks.
    bool cut = false;

    // The text of a keyword (the first); null when there is none.
    QString value(const QByteArray& keyword) const;
};

constexpr int kMaxPngChunks = 10000;
constexpr int kMaxPngTexts = 256;
constexpr qint64 kMaxPngTextBytes = 64 * 1024;

PngText readPngText(EvidenceReader& reader);
// The same for a file held in memory (the fuzz target).
PngText readPngText(const QByteArray& bytes);

} // namespace vc
