#pragma once

// What every fuzz target shares: the input given to a reader as a file (an
// anonymous file in memory, named through /proc, so that no disk is
// written), and the program's settings fixed once (UTC, one time pattern)
// so that a run is the same on every machine.

#include "platform/TimeText.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

namespace vc::fuzz {

class InputFile {
public:
    InputFile() : m_fd(::memfd_create("vellacord-fuzz", MFD_CLOEXEC)) {
        if (m_fd < 0)
            std::abort();
    }
    // The file now holds exactly these bytes.
    void set(const uint8_t* data, size_t size) {
        if (::ftruncate(m_fd, 0) != 0)
            std::abort();
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(m_fd, data + done, size - done, off_t(done));
            if (n <= 0)
                std::abort();
            done += size_t(n);
        }
    }
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

// The fuzzer's bytes, for the readers that take them from memory.
inline QByteArrayView inputBytes(const uint8_t* data, size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A profile folder with the given sub-folders whose NTUSER.DAT is a link to
// the input file; made once per target.
struct ProfileFolder {
    explicit ProfileFolder(std::initializer_list<const char*> folders) {
        if (!dir.isValid())
            std::abort();
        for (const char* sub : folders)
            QDir(dir.path()).mkpath(QString::fromLatin1(sub));
        const QByteArray link = QFile::encodeName(dir.filePath(QStringLiteral("NTUSER.DAT")));
        if (::symlink(QFile::encodeName(input.path()).constData(), link.constData()) != 0)
            std::abort();
    }
    QTemporaryDir dir;
    InputFile input;
};

inline void fixSettings() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

} // namespace vc::fuzz
