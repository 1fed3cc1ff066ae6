#include "browsers/cache/CacheBody.h"

#include "browsers/BrowserColumns.h"
#include "browsers/cache/CacheEntryRead.h"
#include "browsers/cache/HttpHeaders.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"

#include <brotli/decode.h>
#include <zlib.h>

#include <memory>

namespace vc {

namespace {

constexpr qsizetype kOutputChunk = 64 * 1024;

bool appendBounded(QByteArray& out, const char* bytes, qsizetype count, qint64 maxBytes) {
    if (qint64(out.size()) + count > maxBytes)
        return false;
    out.append(bytes, count);
    return true;
}

// zlib's inflate with a window: 15 + 32 reads gzip or zlib's wrapper, 15
// zlib's wrapper only, -15 raw deflate. A gzip file of several members is
// read whole.
ContentDecoding inflateBounded(QByteArrayView in, int windowBits, qint64 maxBytes,
                               QByteArray& out) {
    out.clear();
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return ContentDecoding::Damaged;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream.avail_in = uInt(in.size());
    std::unique_ptr<char[]> chunk(new char[kOutputChunk]);
    ContentDecoding result = ContentDecoding::Damaged;
    for (;;) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk.get());
        stream.avail_out = uInt(kOutputChunk);
        const int status = inflate(&stream, Z_NO_FLUSH);
        if (!appendBounded(out, chunk.get(), kOutputChunk - qsizetype(stream.avail_out),
                           maxBytes)) {
            result = ContentDecoding::TooLarge;
            break;
        }
        if (status == Z_STREAM_END) {
            if (stream.avail_in >= 2 && stream.next_in[0] == 0x1f && stream.next_in[1] == 0x8b &&
                inflateReset(&stream) == Z_OK)
                continue;
            result = ContentDecoding::Done;
            break;
        }
        if (status != Z_OK)
            break; // damaged, or cut short (Z_BUF_ERROR with no input left)
    }
    inflateEnd(&stream);
    if (result != ContentDecoding::Done)
        out.clear();
    return result;
}

ContentDecoding brotliBounded(QByteArrayView in, qint64 maxBytes, QByteArray& out) {
    out.clear();
    BrotliDecoderState* state = BrotliDecoderCreateInstance(nullptr, nullptr, nullptr);
    if (!state)
        return ContentDecoding::Damaged;
    size_t availableIn = size_t(in.size());
    const uint8_t* nextIn = reinterpret_cast<const uint8_t*>(in.data());
    std::unique_ptr<uint8_t[]> chunk(new uint8_t[kOutputChunk]);
    ContentDecoding result = ContentDecoding::Damaged;
    for (;;) {
        size_t availableOut = size_t(kOutputChunk);
        uint8_t* nextOut = chunk.get();
        const BrotliDecoderResult status = BrotliDecoderDecompressStream(
            state, &availableIn, &nextIn, &availableOut, &nextOut, nullptr);
        if (!appendBounded(out, reinterpret_cast<const char*>(chunk.get()),
                           kOutputChunk - qsizetype(availableOut), maxBytes)) {
            result = ContentDecoding::TooLarge;
            break;
        }
        if (status == BROTLI_DECODER_RESULT_SUCCESS) {
            result = ContentDecoding::Done;
            break;
        }
        if (status != BROTLI_DECODER_RESULT_NEEDS_MORE_OUTPUT)
            break; // damaged, or cut short
    }
    BrotliDecoderDestroyInstance(state);
    if (result != ContentDecoding::Done)
        out.clear();
    return result;
}

ContentDecoding decodeOne(QByteArrayView coding, QByteArrayView in, qint64 maxBytes,
                          QByteArray& out) {
    if (coding.compare("gzip", Qt::CaseInsensitive) == 0 ||
        coding.compare("x-gzip", Qt::CaseInsensitive) == 0)
        return inflateBounded(in, 15 + 32, maxBytes, out);
    if (coding.compare("deflate", Qt::CaseInsensitive) == 0) {
        const ContentDecoding wrapped = inflateBounded(in, 15, maxBytes, out);
        return wrapped == ContentDecoding::Damaged ? inflateBounded(in, -15, maxBytes, out)
                                                   : wrapped;
    }
    if (coding.compare("br", Qt::CaseInsensitive) == 0)
        return brotliBounded(in, maxBytes, out);
    if (coding.compare("identity", Qt::CaseInsensitive) == 0) {
        if (in.size() > maxBytes)
            return ContentDecoding::TooLarge;
        out = in.toByteArray();
        return ContentDecoding::Done;
    }
    return ContentDecoding::Unknown;
}

QString failure(const QString& what, const QByteArray& file, const QStringList& details) {
    QString message = what;
    if (!file.isEmpty())
        message += QStringLiteral(":\n") + EvidenceFiles::pathText(file);
    for (const QString& detail : details)
        message += QLatin1Char('\n') + detail;
    return message;
}

} // namespace

ContentDecoding decodeContent(QByteArrayView encoding, QByteArrayView stored, qint64 maxBytes,
                              QByteArray& out) {
    QList<QByteArray> codings;
    for (const QByteArray& coding : encoding.toByteArray().split(',')) {
        const QByteArray trimmed = coding.trimmed();
        if (!trimmed.isEmpty())
            codings.prepend(trimmed);
    }
    out = stored.toByteArray();
    if (out.size() > maxBytes) {
        out.clear();
        return ContentDecoding::TooLarge;
    }
    QByteArray next;
    for (const QByteArray& coding : codings) {
        const ContentDecoding result = decodeOne(coding, out, maxBytes, next);
        if (result != ContentDecoding::Done) {
            out.clear();
            return result;
        }
        out.swap(next);
    }
    return ContentDecoding::Done;
}

CachedBody readCachedBody(const EvidenceFiles& files, const WebCacheEntry& entry, qint64 maxBytes) {
    CachedBody body;
    body.encoding = httpHeaderValue(entry.headers, "Content-Encoding").toByteArray();
    if (entry.bodySize <= 0)
        return body;
    if (entry.body.empty()) {
        body.error = failure(tx(TextCacheBodyUnreadable), entry.bodyFile, entry.notes);
        return body;
    }
    if (entry.bodySize > maxBytes) {
        body.error = failure(tx(TextCacheBodyTooLarge).arg(maxBytes), entry.bodyFile, {});
        return body;
    }
    QByteArray stored(qsizetype(entry.bodySize), '\0');
    std::unique_ptr<EvidenceReader> reader;
    QByteArray readerFile;
    for (const CacheBodyPiece& piece : entry.body) {
        if (piece.at < 0 || piece.length < 0 || piece.at > entry.bodySize - piece.length) {
            body.error = failure(tx(TextCacheBodyUnreadable), piece.file, {});
            return body;
        }
        QString error;
        if (!reader || readerFile != piece.file) {
            reader = files.open(piece.file, &error);
            readerFile = piece.file;
        }
        if (!reader || !reader->readExactly(piece.offset, stored.data() + piece.at, piece.length)) {
            body.error = failure(tx(TextCacheBodyUnreadable), piece.file,
                                 {reader ? reader->errorString() : error});
            return body;
        }
    }
    if (body.encoding.isEmpty()) {
        body.bytes = std::move(stored);
        return body;
    }
    QByteArray decoded;
    switch (decodeContent(body.encoding, stored, maxBytes, decoded)) {
    case ContentDecoding::Done:
        body.bytes = std::move(decoded);
        body.decoded = true;
        return body;
    case ContentDecoding::TooLarge:
        body.error = failure(tx(TextCacheBodyTooLarge).arg(maxBytes), entry.bodyFile, {});
        break;
    case ContentDecoding::Damaged:
    case ContentDecoding::Unknown:
        body.error =
            failure(tx(TextCacheBodyNotDecoded), entry.bodyFile,
                    {QStringLiteral("Content-Encoding: ") + QString::fromLatin1(body.encoding)});
        break;
    }
    body.bytes = std::move(stored);
    return body;
}

CachedBody readCachedBodyOfRow(const EvidenceFiles& files, const QList<QByteArray>& cells,
                               qint64 maxBytes) {
    CachedBody body;
    QString error;
    const std::optional<WebCacheEntry> entry =
        readCacheEntry(files, cells.value(kWebCacheFolder), cells.value(kWebCacheLocation), &error);
    if (!entry) {
        body.error = failure(tx(TextCacheBodyUnreadable), cells.value(kWebCacheFolder), {error});
        return body;
    }
    return readCachedBody(files, *entry, maxBytes);
}

} // namespace vc
