#pragma once

#include <QList>
#include <QString>

namespace vc {

// Interface texts of the recent-documents table's newer sources: the
// trailing columns, the sources, the notes and the messages. They are
// numbered after the table's own texts; until the language table holds
// them, the English texts below stand in.
enum RecentTextNumber : int {
    // Captions of the trailing columns, in row-line order.
    kTextSource = 151,
    kTextMruPosition = 152,
    kTextRecordedTime = 153,
    kTextAccessCount = 154,
    kTextTargetPath = 155,
    kTextTargetCreated = 156,
    kTextTargetModified = 157,
    kTextTargetAccessed = 158,
    kTextTargetSize = 159,
    kTextVolumeLabel = 160,
    kTextVolumeSerial = 161,
    kTextMachineId = 162,
    kTextWorkingFolder = 163,
    kTextNote = 164,
    // Sources (the registry's own key names are shown as they stand).
    kTextRecentFolder = 165,
    kTextJumpList = 166,
    kTextCustomJumpList = 167,
    // Notes.
    kNoteNotInMruOrder = 168,
    kNoteLinkHeaderOnly = 169,
    kNoteNotALink = 170,
    kNoteLinkUnreadable = 171,
    kNotePathIncomplete = 172,
    kNoteValueDamaged = 173,
    kNotePinned = 174,
    kNoteNoDestListEntry = 175,
    kNoteNoStream = 176,
    kNoteStreamCut = 177,
    kNoteJumpListCut = 183,
    // Messages; each is followed by ":", a line break and what it concerns.
    kMsgLinksDamaged = 178,
    kMsgValuesDamaged = 179,
    kMsgJumpListsUnreadable = 180,
    kMsgJumpListsDamaged = 181,
    kMsgDestListUnknown = 182,
};

constexpr int kFirstRecentText = kTextSource;
constexpr int kLastRecentText = kNoteJumpListCut;

// Text n: the language table's when it has one, else the English text.
QString recentText(int n);
// The built-in English text n (empty outside the range above).
QString recentEnglishText(int n);

// A trailing column of the recent-documents table.
struct TrailingColumn {
    int caption; // interface text number
    bool isDate; // sorted as a date
};
// The trailing columns, after the five the table has always had; they show
// row-line fields 6 to 19.
QList<TrailingColumn> recentTrailingColumns();

} // namespace vc
