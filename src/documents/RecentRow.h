#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace vc {

class EvidenceFiles;
struct ShortcutFacts;

// Fields of a row line of the recent-documents table: the six of every file
// table (name, extension, creation time, last access, path, row tag — here
// the source), then the trailing ones: MRU position, recorded time, access
// count, target path, target created, target modified, target accessed,
// target size, volume label, volume serial, machine id, working folder,
// note, the shortcut's arguments and description, the jump-list category,
// and the fields of the Linux desktop's lists: when the entry was added,
// when the file was last visited, the applications that used it. Columns 5
// to 24 of the table show fields 6 to 25.
constexpr int kRecentRowFields = 25;

// One row of the recent-documents table as a reader finds it.
struct RecentRow {
    QByteArray name;      // evidence bytes, as the other readers keep them
    QByteArray extension; // with its dot
    QByteArray path;      // the link file itself, or the path the list names
    QByteArray source;    // "Recent folder", "RecentDocs\.png", ...
    // Where the file of the path lies in the evidence (file-system bytes);
    // its times fill the creation and last-access fields. Empty when it is
    // not there.
    QByteArray localFile;
    int mruPosition = -1; // 0 = most recent; -1 when the source has none
    // When the source recorded the entry (FILETIME; 0 when it does not say):
    // the key's last-written time for the most recent entry of a list, the
    // DestList's last use. A shortcut records no time of its own (its
    // target's times have their columns).
    quint64 recordedTime = 0;
    std::optional<double> accessCount;
    const ShortcutFacts* link = nullptr;
    // The category of a custom jump list that holds the entry ("Tasks", a
    // name the program gave); evidence bytes.
    QByteArray category;
    QStringList notes; // each note once, in the order met
    // The Linux desktop's lists (recently-used.xbel): when the entry was
    // added and when the file was last visited (FILETIME; 0 when not
    // recorded), and the applications that used it ("gedit (3)"), evidence
    // bytes.
    quint64 addedTime = 0;
    quint64 visitedTime = 0;
    QByteArray applications;

    // Adds a note unless the row has it already.
    void note(const QString& text) {
        if (!text.isEmpty() && !notes.contains(text))
            notes << text;
    }
};

// The row line of a row, the local file's times read through files;
// *lastAccessText receives the last-access text of the local file (empty
// when there is none), the date the recall conditions judge.
QByteArray recentRowLine(const RecentRow& row, const EvidenceFiles& files,
                         QByteArray* lastAccessText);

// A FILETIME as a time text: empty for 0, the unconverted-time text when it
// has no calendar date.
QByteArray fileTimeText(quint64 fileTime);

// An access count as text: whole numbers without decimals, else two at most.
QByteArray accessCountText(double count);

// A name or path from a UTF-16 source as evidence bytes (the source code
// page), like the hive's strings.
QByteArray evidenceText(const QString& text);

// The program's own text n for a cell of the table (a source, a note): in
// the chosen language where the source code page can hold it, else in
// English — cells are kept in the code page, which would turn the letters
// it lacks into "?".
QString cellInterfaceText(int n);

} // namespace vc
