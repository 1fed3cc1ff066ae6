#include "documents/RecentTexts.h"

#include "language/InterfaceTexts.h"

namespace vc {

namespace {

const char* const kEnglish[kLastRecentText - kFirstRecentText + 1] = {
    "Source",                                                                  // 151
    "MRU Position",                                                            // 152
    "Recorded Time",                                                           // 153
    "Access Count",                                                            // 154
    "Target Path",                                                             // 155
    "Target Created",                                                          // 156
    "Target Modified",                                                         // 157
    "Target Accessed",                                                         // 158
    "Target Size",                                                             // 159
    "Volume Label",                                                            // 160
    "Volume Serial",                                                           // 161
    "Machine ID",                                                              // 162
    "Working Folder",                                                          // 163
    "Note",                                                                    // 164
    "Recent folder",                                                           // 165
    "Jump list",                                                               // 166
    "Custom jump list",                                                        // 167
    "not in the MRU order",                                                    // 168
    "shortcut damaged, only its header could be read",                         // 169
    "not a shortcut",                                                          // 170
    "shortcut could not be read",                                              // 171
    "part of the path could not be named",                                     // 172
    "value damaged, what it held up to the damage is shown",                   // 173
    "pinned",                                                                  // 174
    "no DestList entry",                                                       // 175
    "no shortcut stream",                                                      // 176
    "shortcut stream cut short",                                               // 177
    "These shortcut files could not be read whole",                            // 178
    "These values of the recent-documents lists could not be read whole",      // 179
    "These jump lists cannot be read",                                         // 180
    "These jump lists are damaged; the entries that could be read are listed", // 181
    "These jump lists have a DestList this program does not know; their entries are listed "
    "without access times and counts", // 182
    "jump list cut short",             // 183
};

} // namespace

QString recentEnglishText(int n) {
    if (n < kFirstRecentText || n > kLastRecentText)
        return QString();
    return QString::fromUtf8(kEnglish[n - kFirstRecentText]);
}

QString recentText(int n) {
    const QString text = interfaceText(n);
    return text.isEmpty() ? recentEnglishText(n) : text;
}

QList<TrailingColumn> recentTrailingColumns() {
    return {{kTextSource, false},        {kTextMruPosition, false},   {kTextRecordedTime, true},
            {kTextAccessCount, false},   {kTextTargetPath, false},    {kTextTargetCreated, true},
            {kTextTargetModified, true}, {kTextTargetAccessed, true}, {kTextTargetSize, false},
            {kTextVolumeLabel, false},   {kTextVolumeSerial, false},  {kTextMachineId, false},
            {kTextWorkingFolder, false}, {kTextNote, false}};
}

} // namespace vc
