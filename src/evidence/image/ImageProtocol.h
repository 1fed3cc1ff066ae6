#pragma once

#include "evidence/EvidenceFiles.h"
#include "evidence/image/DiskImage.h"

#include <QByteArray>
#include <QDataStream>

namespace vc::image {

// The image reader runs as a process of its own (`vellacord image-server
// IMAGE [--snapshots]`), so that a crafted image that crashes or hangs a
// library stops that process, not the program. The program and the reader
// talk over two pipes in frames: a 32-bit little-endian length, then the
// operation's byte and its fields in QDataStream's form. The reader first
// sends one Opened frame, then answers each request in order.
enum class Op : quint8 {
    Opened = 1, // reader: bool ok; ok: DiskImage's fields; else ImageError
    Entry,      // qint32 volume, path -> bool found, EvidenceEntry
    List,       // qint32 volume, path -> bool ok, QString error, entries
    Open,       // qint32 volume, path -> bool ok, QString error, quint32 handle, qint64 size, head
                // (the file's first kOpenHead bytes, or fewer when it is shorter or
                // they cannot be read)
    Read,       // quint32 handle, qint64 offset, qint64 count -> qint64 n, QString error, bytes
    Close,      // quint32 handle (no answer)
};

// The most one frame may hold, and the most one Read asks for.
constexpr quint32 kMaxFrame = 256u << 20;
// The most a List answer holds: a folder of more entries than fit is given
// cut there (a real folder of 200,000 NTFS entries, with their details,
// takes about 150 MiB).
constexpr qsizetype kMaxListBytes = qsizetype(192) << 20;
constexpr qint64 kMaxReadCount = qint64(1) << 20;
// What an Open answer holds of the file: most files a reader opens are read
// whole and are small, and each request is a round trip between processes.
constexpr qint64 kOpenHead = qint64(256) << 10;

// The sub-command's name.
inline constexpr char kServerCommand[] = "image-server";

// Writes one frame whole; false when the pipe is closed.
bool writeFrame(int fd, Op op, const QByteArray& fields);
// Reads one frame; waits at most timeoutMs for each part (-1: no limit).
// Returns false at the end of the pipe, after a time-out (*timedOut set) or
// for a frame larger than kMaxFrame.
bool readFrame(int fd, int timeoutMs, Op* op, QByteArray* fields, bool* timedOut = nullptr);

QDataStream& operator<<(QDataStream& out, const EvidenceEntry& e);
QDataStream& operator>>(QDataStream& in, EvidenceEntry& e);
QDataStream& operator<<(QDataStream& out, const DiskImageVolume& v);
QDataStream& operator>>(QDataStream& in, DiskImageVolume& v);
QDataStream& operator<<(QDataStream& out, const ImageError& e);
QDataStream& operator>>(QDataStream& in, ImageError& e);

// The form of a frame's fields.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

} // namespace vc::image
