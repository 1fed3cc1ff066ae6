#pragma once

#include "documents/shell/DestList.h"
#include "documents/shell/Shortcut.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

namespace vc {

class KnownFolderLocations;

// One entry of a jump list: a shortcut and, in an automatic jump list, what
// the DestList stream says about it.
struct JumpListEntry {
    enum class Gap {
        None,
        NoDestListEntry, // a shortcut stream the DestList does not describe
        NoStream,        // a DestList entry without its shortcut stream
        StreamCut,       // the stream could not be read whole
    };
    QString streamName; // automatic jump lists only
    // Custom jump lists: the category that holds the entry ("Tasks", or the
    // name the program gave it); empty when the container does not say.
    QString category;
    bool task = false; // in the tasks category
    std::optional<DestListEntry> dest;
    ShortcutFacts link; // state NotALink when there is no stream
    Gap gap = Gap::None;
};

struct JumpList {
    enum class Problem {
        None,
        NotACompoundFile, // libolecf cannot open it: nothing could be read
        // The compound file's header states more sectors than the file has:
        // it is not handed to libolecf, which would allocate what the header
        // states; the shortcuts were found by their signature instead.
        ForgedHeader,
        Cut,             // the file is cut short; what lies before the cut was read
        DamagedStreams,  // some streams could not be read, or too many
        NoDestList,      // an automatic jump list without its DestList
        DestListUnknown, // a DestList layout this reader does not know
        DestListCut,     // fewer DestList entries than its header counts
        DamagedLinks,    // some shortcuts could not be read whole
    };
    QList<JumpListEntry> entries;
    QList<Problem> problems; // each at most once, in the order met
    quint32 destListVersion = 0;

    void note(Problem problem) {
        if (!problems.contains(problem))
            problems.append(problem);
    }
};

// Streams read from one compound file; more are left out (DamagedStreams).
constexpr int kMaxJumpListStreams = 4096;
// The largest DestList stream read.
constexpr qint64 kMaxDestListSize = 16 * 1024 * 1024;
// The largest size a cut compound file is filled up to with zeros.
constexpr qint64 kMaxCutFileExtent = 32 * 1024 * 1024;
// Shortcuts taken from one custom jump list.
constexpr int kMaxCustomLinks = 4096;

// An automatic jump list (*.automaticDestinations-ms): a compound file read
// with libolecf, holding one shortcut stream per entry (named by its entry
// number in hexadecimal) and the DestList stream. Entries come in DestList
// order, then the streams the DestList does not name, in directory order.
// libolecf refuses a compound file cut short; such a file is read again as
// if its missing part (up to the size its allocation table can address, at
// most kMaxCutFileExtent) were zeros, so that the streams stored before the
// cut are still read; the list then says Cut.
// The bytes read from the streams together are bounded by a few times the
// file's size, however the file's sector chains are forged. A header whose
// sector counts (allocation table, its extension, the short-stream table,
// the directory) exceed the sectors the file has is not handed to libolecf
// (ForgedHeader): the shortcuts are then found by the 20 bytes every
// shortcut starts with, as in a custom jump list, without DestList facts.
JumpList readAutomaticDestinations(QByteArrayView file, const KnownFolderLocations& locations);

// True when the sector counts of a compound file's header fit in a file of
// that many bytes (see readAutomaticDestinations).
bool compoundHeaderFits(QByteArrayView file);

// A custom jump list (*.customDestinations-ms): a header, then categories
// (a named one, a known one such as Recent, the tasks), each with its
// entries, the shortcuts one after another (docs/formats/customdestinations.md).
// Each shortcut's end is found from its own size fields; where the container
// is damaged, the rest of the file is searched for the 20 bytes every
// shortcut starts with, and those entries have no category.
JumpList readCustomDestinations(QByteArrayView file, const KnownFolderLocations& locations);

} // namespace vc
