#pragma once

// How much address space a step takes at its peak: the step runs in a child
// process (the kernel starts a child's peak at its current size), and the
// child reports how far its VmPeak rose. A library that sizes a buffer from
// a forged field maps that buffer even when it never touches it, so the
// growth shows an allocation that the step's results would not.

#include <QByteArray>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace vc::testing {

inline qint64 virtualPeakBytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmPeak:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// The rise of the peak while step ran, in bytes; -1 when the child failed.
inline qint64 peakGrowthOf(const std::function<void()>& step) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        ::close(fds[0]);
        const qint64 before = virtualPeakBytes();
        step();
        const qint64 growth = virtualPeakBytes() - before;
        const bool written = ::write(fds[1], &growth, sizeof growth) == sizeof growth;
        ::_exit(written && before >= 0 ? 0 : 1);
    }
    ::close(fds[1]);
    qint64 growth = -1;
    if (::read(fds[0], &growth, sizeof growth) != sizeof growth)
        growth = -1;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? growth : -1;
}

} // namespace vc::testing
