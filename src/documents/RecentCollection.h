#pragma once

#include "documents/shell/KnownFolders.h"
#include "documents/shell/Shortcut.h"
#include "platform/LoadContext.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace vc {

class Profile;
struct RecentRow;

// What one reading of the recent-documents sources shares: the profile and
// its known-folder locations, the Recent folders, the shortcuts already
// read, and the problems met, which are reported together at the end (one
// message per kind, naming every file or value concerned) so that a folder of
// two thousand damaged links gives one message, not two thousand.
class RecentCollection {
public:
    RecentCollection(const Profile& profile, const LoadContext& context,
                     QList<QByteArray>& rowLines);
    RecentCollection(const RecentCollection&) = delete;
    RecentCollection& operator=(const RecentCollection&) = delete;

    const Profile& profile() const { return m_profile; }
    const KnownFolderLocations& locations() const { return m_locations; }
    // The Recent folders on this machine, each once (see recentFolders()).
    const QStringList& recentFolders() const { return m_recentFolders; }
    // The Recent folder's path on the original machine; empty if unknown.
    const QString& recentWindowsFolder() const { return m_recentWindowsFolder; }

    // Offers the row to the filter and keeps its line when it passes.
    void add(const RecentRow& row);

    // The facts of the shortcut file at a local path, read once; a link that
    // cannot be read whole is noted for the message. *note receives the
    // row's note for it (empty when it was read whole).
    const ShortcutFacts& shortcutFile(const QByteArray& localPath, QString* note);

    // Notes an item (a path, a value) for the message of interface text
    // messageText; error or warning as given.
    void problem(int messageText, const QString& item, bool isError = false);

    // Moves the progress bar to this part (0 to 1) of the share.
    void progressTo(double part);

    // Sends the collected messages to the reporter (once).
    void report();

private:
    const Profile& m_profile;
    const LoadContext& m_context;
    QList<QByteArray>& m_lines;
    KnownFolderLocations m_locations;
    QStringList m_recentFolders;
    QString m_recentWindowsFolder;
    struct CachedShortcut {
        ShortcutFacts facts;
        QString note;
    };
    QHash<QByteArray, CachedShortcut> m_shortcuts;
    struct Problems {
        QStringList items;
        bool isError = false;
    };
    QMap<int, Problems> m_problems;
    int m_progressStart = 0;
    bool m_reported = false;
};

// The Recent folders of a profile on this machine, each listed once and none
// inside another: the folder the hive's Shell Folders value "Recent" names,
// else the layout's own Recent folder; then
// AppData/Roaming/Microsoft/Windows/Recent when it exists.
QStringList recentFolders(const Profile& profile);

// Messages list at most this many items, then how many more there are.
constexpr int kMaxReportedItems = 20;

} // namespace vc
