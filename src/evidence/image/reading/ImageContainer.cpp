#include "evidence/image/reading/ImageContainer.h"

#include "evidence/image/qcow/QcowFile.h"
#include "platform/EvidenceOpen.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vc::image {

namespace {

// The most segments a split raw image may have.
constexpr int kMaxSegments = 10000;

struct ExternalImage {
    TSK_IMG_INFO info; // first, as The Sleuth Kit requires
    ExternalSource* source;
};

ssize_t externalRead(TSK_IMG_INFO* img, TSK_OFF_T offset, char* out, size_t len) {
    return reinterpret_cast<ExternalImage*>(img)->source->read(offset, out, len);
}

void externalClose(TSK_IMG_INFO* img) {
    ExternalImage* image = reinterpret_cast<ExternalImage*>(img);
    delete image->source;
    std::free(image);
}

void externalStat(TSK_IMG_INFO*, FILE*) {}

// Raw segments opened read-only without moving their access times.
class RawSource : public ExternalSource {
public:
    struct Segment {
        int fd;
        TSK_OFF_T start;
        TSK_OFF_T size;
    };
    explicit RawSource(std::vector<Segment> segments) : m_segments(std::move(segments)) {}
    ~RawSource() override {
        for (const Segment& s : m_segments)
            ::close(s.fd);
    }
    ssize_t read(TSK_OFF_T offset, char* out, size_t len) override {
        size_t done = 0;
        for (const Segment& s : m_segments) {
            if (done == len)
                break;
            const TSK_OFF_T at = offset + TSK_OFF_T(done);
            if (at < s.start || at >= s.start + s.size)
                continue;
            const size_t want =
                size_t(std::min<TSK_OFF_T>(TSK_OFF_T(len - done), s.start + s.size - at));
            size_t got = 0;
            while (got < want) {
                const ssize_t n =
                    ::pread(s.fd, out + done + got, want - got, at - s.start + TSK_OFF_T(got));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0)
                    return done + got > 0 ? ssize_t(done + got) : -1;
                if (n == 0)
                    break;
                got += size_t(n);
            }
            done += got;
            if (got < want)
                break;
        }
        return ssize_t(done);
    }

private:
    std::vector<Segment> m_segments;
};

class QcowSource : public ExternalSource {
public:
    explicit QcowSource(qcow::File* file) : m_file(file) {}
    ~QcowSource() override { qcow::close(m_file); }
    ssize_t read(TSK_OFF_T offset, char* out, size_t len) override {
        std::string error;
        const long long n = qcow::read(m_file, offset, out, len, &error);
        if (n < 0) {
            tsk_error_reset();
            tsk_error_set_errno(TSK_ERR_IMG_READ);
            tsk_error_set_errstr("%s", error.c_str());
        }
        return ssize_t(n);
    }

private:
    qcow::File* m_file;
};

enum class Format { Raw, Ewf, Qcow, Vmdk, Vhd, Vhdx };

Format detectFormat(int fd, qint64 size) {
    char head[64] = {};
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    const auto starts = [&](const char* magic, size_t length) {
        return n >= ssize_t(length) && std::memcmp(head, magic, length) == 0;
    };
    if (starts("EVF\x09\x0d\x0a\xff\x00", 8) || starts("EVF2\x0d\x0a\x81\x00", 8))
        return Format::Ewf;
    if (starts("QFI\xfb", 4))
        return Format::Qcow;
    if (starts("KDMV", 4) || starts("COWD", 4) || starts("# Disk DescriptorFile", 21))
        return Format::Vmdk;
    if (starts("vhdxfile", 8))
        return Format::Vhdx;
    char foot[8] = {};
    if (size >= 512 && ::pread(fd, foot, sizeof foot, size - 512) == ssize_t(sizeof foot) &&
        std::memcmp(foot, "conectix", 8) == 0)
        return Format::Vhd;
    if (starts("conectix", 8))
        return Format::Vhd;
    return Format::Raw;
}

QString formatName(Format f) {
    switch (f) {
    case Format::Raw:
        return QStringLiteral("raw");
    case Format::Ewf:
        return QStringLiteral("EWF");
    case Format::Qcow:
        return QStringLiteral("QCOW2");
    case Format::Vmdk:
        return QStringLiteral("VMDK");
    case Format::Vhd:
        return QStringLiteral("VHD");
    case Format::Vhdx:
        return QStringLiteral("VHDX");
    }
    return QString();
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

ImageContainer::~ImageContainer() {
    if (info)
        tsk_img_close(info);
}

QString tskErrorText() {
    const char* text = tsk_error_get();
    QString line = text ? QString::fromUtf8(text).simplified() : QString();
    return line.isEmpty() ? QStringLiteral("unknown error") : line;
}

TSK_IMG_INFO* openExternalImage(std::unique_ptr<ExternalSource> source, TSK_OFF_T size) {
    ExternalImage* image = static_cast<ExternalImage*>(std::calloc(1, sizeof(ExternalImage)));
    if (!image)
        return nullptr;
    image->source = source.release();
    TSK_IMG_INFO* info =
        tsk_img_open_external(image, size, 512, externalRead, externalClose, externalStat);
    if (!info)
        externalClose(&image->info);
    return info;
}

QStringList rawSegments(const QString& path) {
    static const QRegularExpression numbered(QStringLiteral("^(.*\\.)([0-9]{3,})$"));
    const QRegularExpressionMatch m = numbered.match(path);
    if (!m.hasMatch())
        return {path};
    const QString stem = m.captured(1);
    const int width = int(m.captured(2).size());
    qlonglong number = m.captured(2).toLongLong();
    QStringList segments{path};
    while (segments.size() < kMaxSegments) {
        const QString next = stem + QStringLiteral("%1").arg(++number, width, 10, QLatin1Char('0'));
        if (!QFileInfo(next).isFile())
            break;
        segments << next;
    }
    return segments;
}

std::unique_ptr<ImageContainer> openImageContainer(const QString& path, ImageError* error) {
    *error = ImageError{ImageLayer::ImageFormat, path, QString(), QString()};
    const int fd = openEvidenceDescriptor(QFile::encodeName(path), O_NONBLOCK);
    if (fd < 0) {
        error->details = systemError(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error->details = QStringLiteral("not a regular file");
        ::close(fd);
        return nullptr;
    }
    const Format format = detectFormat(fd, qint64(st.st_size));
    auto container = std::make_unique<ImageContainer>();
    container->format = formatName(format);
    tsk_error_reset();
    switch (format) {
    case Format::Raw: {
        std::vector<RawSource::Segment> segments{{fd, 0, TSK_OFF_T(st.st_size)}};
        const QStringList names = rawSegments(path);
        TSK_OFF_T total = TSK_OFF_T(st.st_size);
        for (qsizetype i = 1; i < names.size(); ++i) {
            const int next = openEvidenceDescriptor(QFile::encodeName(names[i]), O_NONBLOCK);
            struct stat ns {};
            if (next < 0 || ::fstat(next, &ns) != 0 || !S_ISREG(ns.st_mode)) {
                if (next >= 0)
                    ::close(next);
                break;
            }
            segments.push_back({next, total, TSK_OFF_T(ns.st_size)});
            total += TSK_OFF_T(ns.st_size);
        }
        container->segments = int(segments.size());
        container->info =
            openExternalImage(std::make_unique<RawSource>(std::move(segments)), total);
        if (!container->info)
            error->details = tskErrorText();
        break;
    }
    case Format::Qcow: {
        ::close(fd);
        std::string why;
        qcow::File* file = qcow::open(QFile::encodeName(path).constData(), &why);
        if (!file) {
            error->details = QString::fromStdString(why).simplified();
            return nullptr;
        }
        const long long size = qcow::mediaSize(file);
        container->info = openExternalImage(std::make_unique<QcowSource>(file), size);
        if (!container->info)
            error->details = tskErrorText();
        break;
    }
    default: {
        ::close(fd);
        const QByteArray name = QFile::encodeName(path);
        const char* names[] = {name.constData()};
        const TSK_IMG_TYPE_ENUM type = format == Format::Ewf    ? TSK_IMG_TYPE_EWF_EWF
                                       : format == Format::Vmdk ? TSK_IMG_TYPE_VMDK_VMDK
                                                                : TSK_IMG_TYPE_VHD_VHD;
        container->info = tsk_img_open_utf8(1, names, type, 0);
        if (!container->info) {
            error->details = tskErrorText();
            return nullptr;
        }
        container->segments = container->info->num_img > 0 ? container->info->num_img : 1;
        break;
    }
    }
    if (!container->info)
        return nullptr;
    if (container->info->size <= 0) {
        error->details = QStringLiteral("the image holds no data");
        return nullptr;
    }
    return container;
}

} // namespace vc::image
