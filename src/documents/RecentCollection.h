#pragma once

#include "documents/shell/KnownFolders.h"
#include "documents/shell/Shortcut.h"
#include "platform/LoadContext.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vc {

class UserProfile;
struct RecentRow;

// What one reading of the recent-documents sources shares: the profile and
// its known-folder locations, the Recent folders, the shortcuts already
// read, and the problems met, which are reported together at the end (one
// message for what could not be read at all, one for what was read in part,
// each naming every file or value concerned) so that a folder of two
// thousand damaged links gives one message, not two thousand. Rows pass
// context.filter (when set) with their last-access text; the progress bar
// moves within context.share.
class RecentCollection {
public:
    // recentFolder: the Recent folder the caller reads (the one the hive's
    // Shell Folders name, or the layout's); empty when there is none.
    RecentCollection(const UserProfile& profile, const QString& recentFolder,
                     const LoadContext& context, QList<QByteArray>& rowLines);
    RecentCollection(const RecentCollection&) = delete;
    RecentCollection& operator=(const RecentCollection&) = delete;

    const UserProfile& profile() const { return m_profile; }
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

    // Notes an item (a path, a value) for the message: one that could not
    // be read at all (an error), or only in part (a warning).
    void problem(const QString& item, bool unreadable = false);

    // Moves the progress bar to this part (0 to 1) of the share.
    void progressTo(double part);

    // Sends the collected messages to the reporter (once).
    void report();

private:
    const UserProfile& m_profile;
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
    QStringList m_unreadable;
    QStringList m_readInPart;
    int m_progressStart = 0;
    bool m_reported = false;
};

// The Recent folders on this machine, each listed once and none inside
// another: recentFolder (as the caller found it), then the profile's
// AppData/Roaming/Microsoft/Windows/Recent (where Windows Vista to 11 keep
// shortcuts and jump lists) when it exists.
QStringList recentFolders(const UserProfile& profile, const QString& recentFolder);

// Messages list at most this many items, then how many more there are.
constexpr int kMaxReportedItems = 20;

} // namespace vc
