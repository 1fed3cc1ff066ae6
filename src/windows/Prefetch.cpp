#include "windows/Prefetch.h"

#include "documents/shell/LibyalText.h"
#include "documents/shell/MemoryInput.h"

#include <libscca.h>

#include <vector>

namespace vc {

namespace {

constexpr int kMaxRunTimes = 8;
constexpr int kMaxVolumes = 64;

// libscca's first message (the innermost), without the function's name.
QString errorText(libscca_error_t* error) {
    if (!error)
        return QString();
    char buffer[1024] = {};
    libscca_error_sprint(error, buffer, sizeof buffer);
    libscca_error_free(&error);
    QString text = QString::fromUtf8(buffer).section(QLatin1Char('\n'), 0, 0).trimmed();
    const qsizetype colon = text.indexOf(QStringLiteral(": "));
    if (colon > 0 && !text.left(colon).contains(QLatin1Char(' ')))
        text = text.mid(colon + 2);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// A UTF-16 text of one of libscca's size and text getter pairs.
template <typename Size, typename Text> QString sccaText(Size size, Text text) {
    std::size_t units = 0;
    if (size(&units) != 1 || units == 0 || units > kMaxLibyalText)
        return QString();
    std::vector<uint16_t> buffer(units, 0);
    if (text(buffer.data(), units) != 1)
        return QString();
    std::size_t length = 0;
    while (length < units && buffer[length] != 0)
        ++length;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.data()), qsizetype(length));
}

class SccaFile {
public:
    SccaFile() {
        if (libscca_file_initialize(&m_file, nullptr) != 1)
            m_file = nullptr;
    }
    ~SccaFile() {
        if (m_open)
            libscca_file_close(m_file, nullptr);
        if (m_file)
            libscca_file_free(&m_file, nullptr);
    }
    SccaFile(const SccaFile&) = delete;
    SccaFile& operator=(const SccaFile&) = delete;

    bool open(libbfio_handle_t* input, QString* error) {
        libscca_error_t* failure = nullptr;
        if (!m_file ||
            libscca_file_open_file_io_handle(m_file, input, LIBSCCA_OPEN_READ, &failure) != 1) {
            *error = errorText(failure);
            return false;
        }
        m_open = true;
        return true;
    }
    libscca_file_t* get() const { return m_file; }

private:
    libscca_file_t* m_file = nullptr;
    bool m_open = false;
};

void readVolumes(libscca_file_t* file, PrefetchFile& result) {
    int count = 0;
    if (libscca_file_get_number_of_volumes(file, &count, nullptr) != 1)
        return;
    for (int i = 0; i < count && i < kMaxVolumes; ++i) {
        libscca_volume_information_t* volume = nullptr;
        if (libscca_file_get_volume_information(file, i, &volume, nullptr) != 1)
            continue;
        PrefetchVolume entry;
        entry.devicePath = sccaText(
            [&](std::size_t* units) {
                return libscca_volume_information_get_utf16_device_path_size(volume, units,
                                                                             nullptr);
            },
            [&](uint16_t* out, std::size_t units) {
                return libscca_volume_information_get_utf16_device_path(volume, out, units,
                                                                        nullptr);
            });
        uint32_t serial = 0;
        if (libscca_volume_information_get_serial_number(volume, &serial, nullptr) == 1)
            entry.serial = serial;
        uint64_t created = 0;
        if (libscca_volume_information_get_creation_time(volume, &created, nullptr) == 1)
            entry.created = created;
        result.volumes.append(entry);
        libscca_volume_information_free(&volume, nullptr);
    }
}

void readLoadedFiles(libscca_file_t* file, bool keep, PrefetchFile& result) {
    int count = 0;
    if (libscca_file_get_number_of_filenames(file, &count, nullptr) != 1)
        return;
    result.loadedFileCount = count;
    const QString tail = QLatin1Char('\\') + result.executable;
    for (int i = 0; i < count && i < kMaxLoadedFiles; ++i) {
        if (!keep && !result.executablePath.isEmpty())
            break;
        const QString name = sccaText(
            [&](std::size_t* units) {
                return libscca_file_get_utf16_filename_size(file, i, units, nullptr);
            },
            [&](uint16_t* out, std::size_t units) {
                return libscca_file_get_utf16_filename(file, i, out, units, nullptr);
            });
        if (result.executablePath.isEmpty() && !result.executable.isEmpty() &&
            name.endsWith(tail, Qt::CaseInsensitive))
            result.executablePath = name;
        if (keep)
            result.loadedFiles << name;
    }
}

// What the header and the file's name give when libscca gives nothing.
void fillFromHeader(const QString& fileName, PrefetchFile& result) {
    const PrefetchName name = parsePrefetchFileName(fileName);
    if (result.header.scca) {
        result.formatVersion = result.header.formatVersion;
        result.executable = result.header.executable;
        result.hash = result.header.hash;
    }
    if (result.executable.isEmpty())
        result.executable = name.executable;
    if (!result.hash)
        result.hash = name.hash;
}

} // namespace

PrefetchFile readPrefetch(QByteArrayView bytes, const QString& fileName, bool withLoadedFiles) {
    PrefetchFile result;
    result.header = readPrefetchHeader(bytes);
    if (result.header.compressed && result.header.uncompressedSize > kMaxPrefetchFile) {
        result.libsccaError =
            QStringLiteral("unpacks to %1 bytes").arg(result.header.uncompressedSize);
        fillFromHeader(fileName, result);
        return result;
    }
    const MemoryInput input(bytes);
    SccaFile file;
    if (!input.handle() || !file.open(input.handle(), &result.libsccaError)) {
        fillFromHeader(fileName, result);
        return result;
    }
    libscca_file_t* scca = file.get();
    result.readByLibscca = true;
    uint32_t version = 0;
    if (libscca_file_get_format_version(scca, &version, nullptr) == 1)
        result.formatVersion = version;
    result.executable = sccaText(
        [&](std::size_t* units) {
            return libscca_file_get_utf16_executable_filename_size(scca, units, nullptr);
        },
        [&](uint16_t* out, std::size_t units) {
            return libscca_file_get_utf16_executable_filename(scca, out, units, nullptr);
        });
    uint32_t number = 0;
    if (libscca_file_get_prefetch_hash(scca, &number, nullptr) == 1)
        result.hash = number;
    if (libscca_file_get_run_count(scca, &number, nullptr) == 1)
        result.runCount = number;
    for (int i = 0; i < kMaxRunTimes; ++i) {
        uint64_t time = 0;
        if (libscca_file_get_last_run_time(scca, i, &time, nullptr) != 1)
            break;
        if (time != 0)
            result.runTimes.append(time);
    }
    readVolumes(scca, result);
    readLoadedFiles(scca, withLoadedFiles, result);
    if (result.executable.isEmpty())
        fillFromHeader(fileName, result);
    return result;
}

} // namespace vc
