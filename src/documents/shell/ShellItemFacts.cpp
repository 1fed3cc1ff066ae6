#include "documents/shell/ShellItemFacts.h"

#include "documents/shell/LibyalText.h"

#include <QDate>
#include <QString>

#include <libfwsi.h>

namespace vc {

namespace {

constexpr uint32_t kFileEntryExtension = 0xBEEF0004;
constexpr int kMaxExtensionBlocks = 16;
// FILETIME of 1601-01-01 to 1970-01-01 and per second.
constexpr qint64 kFileTimeOf1970 = 116444736000000000LL;
constexpr qint64 kFileTimePerSecond = 10000000LL;

} // namespace

std::optional<quint64> fatDateTimeToFileTime(quint32 fatDateTime) {
    if (fatDateTime == 0)
        return std::nullopt;
    const quint32 date = fatDateTime & 0xFFFF;
    const quint32 time = fatDateTime >> 16;
    const int year = 1980 + int(date >> 9);
    const int month = int((date >> 5) & 0x0F);
    const int day = int(date & 0x1F);
    const int hours = int(time >> 11);
    const int minutes = int((time >> 5) & 0x3F);
    const int seconds = int(time & 0x1F) * 2;
    const QDate calendar(year, month, day);
    if (!calendar.isValid() || hours > 23 || minutes > 59 || seconds > 59)
        return std::nullopt;
    const qint64 days = QDate(1970, 1, 1).daysTo(calendar);
    const qint64 since1970 = days * 86400 + hours * 3600 + minutes * 60 + seconds;
    return quint64(kFileTimeOf1970 + since1970 * kFileTimePerSecond);
}

QString fileReferenceText(quint64 reference) {
    return QStringLiteral("%1-%2").arg(reference & 0xFFFFFFFFFFFFULL).arg(reference >> 48);
}

ShellItemFacts readShellItemFacts(QByteArrayView bytes) {
    ShellItemFacts facts;
    libfwsi_item_t* item = nullptr;
    if (bytes.size() < 3 || libfwsi_item_initialize(&item, nullptr) != 1)
        return facts;
    int type = -1;
    if (libfwsi_item_copy_from_byte_stream(item, reinterpret_cast<const uint8_t*>(bytes.data()),
                                           std::size_t(bytes.size()), libyalCodePage(),
                                           nullptr) == 1 &&
        libfwsi_item_get_type(item, &type, nullptr) == 1) {
        facts.readable = true;
        facts.fileEntry = type == LIBFWSI_ITEM_TYPE_FILE_ENTRY;
    }
    // libfwsi's getters of one kind of item are only asked of that kind
    // (documents/shell/ShellItemList.cpp says why).
    if (facts.fileEntry) {
        uint32_t fat = 0;
        if (libfwsi_file_entry_get_modification_time(item, &fat, nullptr) == 1)
            facts.modified = fatDateTimeToFileTime(fat);
        int blocks = 0;
        if (libfwsi_item_get_number_of_extension_blocks(item, &blocks, nullptr) != 1)
            blocks = 0;
        for (int i = 0; i < blocks && i < kMaxExtensionBlocks; ++i) {
            libfwsi_extension_block_t* block = nullptr;
            uint32_t signature = 0;
            if (libfwsi_item_get_extension_block(item, i, &block, nullptr) != 1)
                continue;
            if (libfwsi_extension_block_get_signature(block, &signature, nullptr) == 1 &&
                signature == kFileEntryExtension) {
                if (libfwsi_file_entry_extension_get_creation_time(block, &fat, nullptr) == 1)
                    facts.created = fatDateTimeToFileTime(fat);
                if (libfwsi_file_entry_extension_get_access_time(block, &fat, nullptr) == 1)
                    facts.accessed = fatDateTimeToFileTime(fat);
                uint64_t reference = 0;
                if (libfwsi_file_entry_extension_get_file_reference(block, &reference, nullptr) ==
                        1 &&
                    reference != 0)
                    facts.fileReference = reference;
                break; // one file-entry block per item
            }
        }
    }
    libfwsi_item_free(&item, nullptr);
    return facts;
}

} // namespace vc
