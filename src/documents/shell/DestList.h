#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace vc {

// One entry of a jump list's DestList stream: which shortcut stream it
// describes and when and how often its target was used (format written
// down in docs/formats/destlist.md).
struct DestListEntry {
    quint32 entryNumber = 0; // the stream's name, in hexadecimal
    quint64 accessTime = 0;  // FILETIME of the last use
    double accessCount = 0;  // a whole number from Windows 10 on
    qint32 pinPosition = -1; // -1 when not pinned
    QString hostName;        // NetBIOS name of the machine
    QString path;            // the target as the DestList names it

    QString streamName() const { return QString::number(entryNumber, 16); }
};

struct DestList {
    enum class Problem {
        None,
        TooShort,       // no whole header
        UnknownVersion, // a layout this reader does not know; no entries
        Cut,            // fewer entries than the header counts
    };
    quint32 version = 0;
    quint32 declaredEntries = 0;
    QList<DestListEntry> entries;
    Problem problem = Problem::None;
};

// Reads the DestList stream. Nothing in it is trusted: the entry count of
// the header only ever limits the entries read, every entry must lie whole
// inside the stream, and reading stops at the first one that does not, or
// that is all zeros.
DestList parseDestList(QByteArrayView stream);

} // namespace vc
