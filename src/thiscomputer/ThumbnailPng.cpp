#include "thiscomputer/ThumbnailPng.h"

#include "evidence/EvidenceFiles.h"

#include <QtEndian>

#include <cstring>

namespace vc {

namespace {

constexpr char kSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
constexpr qint64 kChunkHeader = 8; // length, type
constexpr qint64 kChunkCrc = 4;

class MemoryReader : public EvidenceReader {
public:
    explicit MemoryReader(const QByteArray& bytes) : m_bytes(bytes) {}
    qint64 size() const override { return m_bytes.size(); }
    qint64 readAt(qint64 offset, char* out, qint64 count) override {
        if (offset < 0 || count < 0)
            return -1;
        if (offset >= m_bytes.size())
            return 0;
        const qint64 n = std::min<qint64>(count, m_bytes.size() - offset);
        std::memcpy(out, m_bytes.constData() + offset, size_t(n));
        return n;
    }
    QString errorString() const override { return QString(); }

private:
    const QByteArray& m_bytes;
};

// Positioned reads through one piece of the file held in memory.
class BufferedReader {
public:
    explicit BufferedReader(EvidenceReader& file) : m_file(file) {}
    bool readExactly(qint64 offset, char* out, qint64 count) {
        if (count > kPiece)
            return m_file.readExactly(offset, out, count);
        if (offset < m_start || offset + count > m_start + m_bytes.size()) {
            m_bytes.resize(kPiece);
            const qint64 got = m_file.readAt(offset, m_bytes.data(), kPiece);
            m_start = offset;
            m_bytes.resize(got > 0 ? got : 0);
            if (count > m_bytes.size())
                return false;
        }
        std::memcpy(out, m_bytes.constData() + (offset - m_start), size_t(count));
        return true;
    }

private:
    static constexpr qint64 kPiece = 16 * 1024;
    EvidenceReader& m_file;
    QByteArray m_bytes;
    qint64 m_start = 0;
};

// tEXt: keyword, a zero byte, the text in Latin-1.
void addText(PngText& png, const QByteArray& data) {
    const qsizetype zero = data.indexOf('\0');
    if (zero <= 0)
        return;
    png.texts.append({data.left(zero), QString::fromLatin1(data.mid(zero + 1))});
}

// iTXt: keyword, 0, compression flag, method, language tag, 0, translated
// keyword, 0, text in UTF-8. A compressed text is passed over.
void addInternationalText(PngText& png, const QByteArray& data) {
    const qsizetype zero = data.indexOf('\0');
    if (zero <= 0 || zero + 2 >= data.size() || data[zero + 1] != 0)
        return;
    const qsizetype language = data.indexOf('\0', zero + 3);
    if (language < 0)
        return;
    const qsizetype translated = data.indexOf('\0', language + 1);
    if (translated < 0)
        return;
    png.texts.append({data.left(zero), QString::fromUtf8(data.mid(translated + 1))});
}

} // namespace

QString PngText::value(const QByteArray& keyword) const {
    for (const auto& [key, text] : texts)
        if (key == keyword)
            return text;
    return QString();
}

PngText readPngText(EvidenceReader& file) {
    PngText png;
    // A thumbnail is a few kilobytes: its start is read in one go, and the
    // reads of its chunks are served from that piece while they fall in it.
    BufferedReader reader(file);
    const qint64 size = file.size();
    char signature[8];
    if (size < 8 + kChunkHeader + 13 || !reader.readExactly(0, signature, 8) ||
        std::memcmp(signature, kSignature, 8) != 0)
        return png;
    qint64 offset = 8;
    for (int chunk = 0;; ++chunk) {
        if (chunk >= kMaxPngChunks) {
            png.cut = true;
            break;
        }
        uchar header[kChunkHeader];
        if (offset == size) {
            png.cut = true; // no IEND
            break;
        }
        if (offset + kChunkHeader > size ||
            !reader.readExactly(offset, reinterpret_cast<char*>(header), kChunkHeader)) {
            png.cut = true;
            break;
        }
        const quint32 length = qFromBigEndian<quint32>(header);
        const QByteArray type(reinterpret_cast<const char*>(header + 4), 4);
        const qint64 dataAt = offset + kChunkHeader;
        // PNG caps a chunk length at 2^31 - 1; the file's end caps
        // it harder.
        if (length > 0x7fffffffu || qint64(length) > size - dataAt - kChunkCrc) {
            png.cut = true;
            break;
        }
        if (chunk == 0) {
            // The first chunk must be IHDR.
            if (type != "IHDR" || length < 8)
                return PngText();
            uchar dims[8];
            if (!reader.readExactly(dataAt, reinterpret_cast<char*>(dims), 8))
                return PngText();
            png.isPng = true;
            png.width = qFromBigEndian<quint32>(dims);
            png.height = qFromBigEndian<quint32>(dims + 4);
        } else if ((type == "tEXt" || type == "iTXt") && png.texts.size() < kMaxPngTexts &&
                   qint64(length) <= kMaxPngTextBytes) {
            QByteArray data(qsizetype(length), Qt::Uninitialized);
            if (!reader.readExactly(dataAt, data.data(), length)) {
                png.cut = true;
                break;
            }
            if (type == "tEXt")
                addText(png, data);
            else
                addInternationalText(png, data);
        } else if (type == "IEND") {
            break;
        }
        offset = dataAt + qint64(length) + kChunkCrc;
    }
    return png;
}

PngText readPngText(const QByteArray& bytes) {
    MemoryReader reader(bytes);
    return readPngText(reader);
}

} // namespace vc
