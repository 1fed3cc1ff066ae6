#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vc {

class RecallConditionSet;
class UserProfile;

// Where the common open/save dialogs keep their lists of recently used
// file names, one subkey per file type ("doc", "txt", "*").
inline const QString kOpenSaveMruKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU");

// Outcome of reading MRU lists. A value that is not text stops the reading:
// error then names the value, its key and the hive.
struct MruReadResult {
    bool ok = true;
    QString error;
};

// Reads every MRU list below key (of the user's hive) into
// list: subkeys in the order the hive keeps them, those whose name contains
// "MRUList" skipped; each other subkey S read by ReadMRUValues with the row
// tag "OpenSaveMRU\S", the row's source. A missing key or no profile
// (nullptr) adds nothing.
MruReadResult ReadOpenSaveMRU(const UserProfile* profile, const QString& key,
                              QList<QByteArray>& list, const RecallConditionSet* filter);

// Reads one MRU list: every value in hive order except the order string
// (a name containing "MRUList"), as the full Windows path P of a file. The
// row line (all fields of the recent-documents table, see RecentRow.h) shows
// P as stored; when P names a file that exists in the profile (or the
// Windows volume around it), its times fill the time fields, else they stay
// empty. The row tag is the source field. The order string does not change
// the rows' order; it gives each row its MRU position (0 = most recent), and
// the most recent one the key's last-written time. Rows pass through the
// filter (nullptr: all).
MruReadResult ReadMRUValues(const UserProfile* profile, const QString& subkeyPath,
                            QList<QByteArray>& list, const QByteArray& rowTag,
                            const RecallConditionSet* filter);

} // namespace vc
