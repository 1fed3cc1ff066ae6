#include "documents/shell/PropertyStore.h"

#include "documents/shell/KnownFolders.h"
#include "documents/shell/LibyalText.h"
#include "platform/CodePage.h"

#include <QtEndian>

namespace vc {

namespace property_keys {
const PropertyKey kItemNameDisplay{QUuid::fromString(u"{B725F130-47EF-101A-A5F1-02608C9EEBAC}"),
                                   10};
const PropertyKey kFileName{QUuid::fromString(u"{41CF5AE0-F75A-4806-BD87-59C7D9248EB9}"), 100};
const PropertyKey kParsingName{QUuid::fromString(u"{28636AA6-953D-11D2-B5D6-00C04FD918D0}"), 24};
const PropertyKey kParsingPath{QUuid::fromString(u"{28636AA6-953D-11D2-B5D6-00C04FD918D0}"), 30};
const PropertyKey kItemPathDisplay{QUuid::fromString(u"{E3E0584C-B788-4A5A-BB20-7F5A44C9ACDD}"), 7};
const PropertyKey kLinkTargetParsingPath{
    QUuid::fromString(u"{B9B4B3FC-2B51-4A42-B5D8-324146AFCF25}"), 2};
const PropertyKey kLibraryItemPath{QUuid::fromString(u"{1E3EE840-BC2B-476C-8237-2ACD1A839B22}"), 8};
} // namespace property_keys

size_t qHash(const PropertyKey& key, size_t seed) noexcept {
    return qHashMulti(seed, key.format, key.id);
}

namespace {

constexpr quint32 kStorageVersion = 0x53505331; // "1SPS"
constexpr qsizetype kStorageHeader = 4 + 4 + 16;
// Values of this format are named by a text instead of a number.
const QUuid kNamedValues = QUuid::fromString(u"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}");

constexpr quint16 kVtBstr = 0x0008;
constexpr quint16 kVtLpstr = 0x001E;
constexpr quint16 kVtLpwstr = 0x001F;

// UTF-16 units up to the first NUL or the end.
QString utf16Text(QByteArrayView bytes) {
    qsizetype units = bytes.size() / 2;
    for (qsizetype i = 0; i < units; ++i) {
        if (qFromLittleEndian<quint16>(bytes.data() + 2 * i) == 0) {
            units = i;
            break;
        }
    }
    QString text(units, Qt::Uninitialized);
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(qFromLittleEndian<quint16>(bytes.data() + 2 * i));
    return text;
}

// The text of a typed value (type, two bytes of padding, the value), or a
// null text when it holds none or does not fit.
QString typedText(QByteArrayView value) {
    if (value.size() < 8)
        return QString();
    const quint16 type = qFromLittleEndian<quint16>(value.data());
    const quint32 count = qFromLittleEndian<quint32>(value.data() + 4);
    const QByteArrayView rest = value.sliced(8);
    qsizetype bytes = 0;
    switch (type) {
    case kVtLpwstr:
        if (count > kMaxLibyalText)
            return QString();
        bytes = qsizetype(count) * 2; // characters, the NUL included
        break;
    case kVtBstr:
    case kVtLpstr:
        if (count > 2 * kMaxLibyalText)
            return QString();
        bytes = qsizetype(count); // bytes
        break;
    default:
        return QString();
    }
    if (bytes > rest.size())
        return QString();
    const QByteArrayView data = rest.first(bytes);
    if (type == kVtLpstr) {
        const qsizetype nul = data.indexOf('\0');
        return decodeEvidence(nul < 0 ? data : data.first(nul));
    }
    return utf16Text(data);
}

} // namespace

PropertyStore PropertyStore::read(QByteArrayView bytes) {
    PropertyStore store;
    qsizetype at = 0;
    int values = 0;
    while (at + 4 <= bytes.size()) {
        const quint32 storageSize = qFromLittleEndian<quint32>(bytes.data() + at);
        if (storageSize == 0)
            return store; // the end of the store
        if (storageSize < kStorageHeader || storageSize > quint32(bytes.size() - at) ||
            qFromLittleEndian<quint32>(bytes.data() + at + 4) != kStorageVersion) {
            store.m_whole = false;
            return store;
        }
        const QByteArrayView storage = bytes.sliced(at, storageSize);
        at += storageSize;
        const QUuid format =
            guidFromWindowsBytes(reinterpret_cast<const unsigned char*>(storage.data() + 8));
        const bool named = format == kNamedValues;
        qsizetype v = kStorageHeader;
        while (v + 4 <= storage.size()) {
            const quint32 valueSize = qFromLittleEndian<quint32>(storage.data() + v);
            if (valueSize == 0)
                break;
            // Size, number or name size, a reserved byte, then the typed value.
            if (valueSize < 9 || valueSize > quint32(storage.size() - v) ||
                ++values > kMaxStoreValues) {
                store.m_whole = false;
                return store;
            }
            const QByteArrayView value = storage.sliced(v, valueSize);
            v += valueSize;
            const quint32 idOrNameSize = qFromLittleEndian<quint32>(value.data() + 4);
            if (named) {
                // Values named by text are not among those this reader
                // looks for; their size is still checked.
                if (idOrNameSize > quint32(value.size() - 9)) {
                    store.m_whole = false;
                    return store;
                }
                continue;
            }
            const QString text = typedText(value.sliced(9));
            if (!text.isNull())
                store.m_texts.insert(PropertyKey{format, idOrNameSize}, text);
        }
    }
    if (at < bytes.size())
        store.m_whole = false; // cut inside a storage's size
    return store;
}

} // namespace vc
