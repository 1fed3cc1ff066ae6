#include "documents/RecentCollection.h"

#include "documents/RecentRow.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/Hive.h"
#include "platform/Progress.h"
#include "platform/Registry.h"
#include "platform/Reporter.h"
#include "recall/RecallFilter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vc {

namespace {

// The folder with its links resolved (this machine's folders) or its path
// made plain (a disk image has no links); empty when it is not a folder.
QString canonical(const EvidenceFiles& files, const QString& folder) {
    const QString path =
        files.isLocal() ? QFileInfo(folder).canonicalFilePath() : QDir::cleanPath(folder);
    if (path.isEmpty() || !files.isFolder(EvidenceFiles::pathBytes(path)))
        return QString();
    return path;
}

bool inside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString hiveRecentFolder(const UserProfile& profile) {
    const Hive* hive = profile.userHive();
    if (!hive)
        return QString();
    const Hive::TextResult value = hive->readString(kShellFoldersKey, QStringLiteral("Recent"));
    return value.ok() ? value.text : QString();
}

} // namespace

QStringList recentFolders(const UserProfile& profile, const QString& recentFolder) {
    QStringList candidates;
    if (!recentFolder.isEmpty())
        candidates << recentFolder;
    if (!profile.folder().isEmpty())
        candidates << profile.resolve({QStringLiteral("AppData"), QStringLiteral("Roaming"),
                                       QStringLiteral("Microsoft"), QStringLiteral("Windows"),
                                       QStringLiteral("Recent")});
    QStringList kept;      // as given
    QStringList keptPaths; // canonical
    for (const QString& folder : candidates) {
        const QString path = canonical(profile.files(), folder);
        if (path.isEmpty())
            continue;
        bool covered = false;
        for (const QString& other : keptPaths)
            covered = covered || inside(path, other);
        if (covered)
            continue;
        // A folder that holds one listed earlier replaces it.
        for (qsizetype i = keptPaths.size() - 1; i >= 0; --i) {
            if (inside(keptPaths[i], path)) {
                keptPaths.removeAt(i);
                kept.removeAt(i);
            }
        }
        kept << folder;
        keptPaths << path;
    }
    return kept;
}

RecentCollection::RecentCollection(const UserProfile& profile, const QString& recentFolder,
                                   const LoadContext& context, QList<QByteArray>& rowLines)
    : m_profile(profile), m_context(context), m_lines(rowLines),
      m_locations(KnownFolderLocations::fromProfile(profile)),
      m_recentFolders(vc::recentFolders(profile, recentFolder)),
      m_progressStart(progressStart(context.progress)) {
    m_recentWindowsFolder = hiveRecentFolder(profile);
    if (m_recentWindowsFolder.isEmpty() && !profile.windowsProfilePath().isEmpty())
        m_recentWindowsFolder =
            profile.windowsProfilePath() +
            (profile.layout() == ProfileLayout::Xp
                 ? QStringLiteral("\\Recent")
                 : QStringLiteral("\\AppData\\Roaming\\Microsoft\\Windows\\Recent"));
}

void RecentCollection::add(const RecentRow& row) {
    QByteArray lastAccess;
    const QByteArray line = recentRowLine(row, m_profile.files(), &lastAccess);
    if (!PassesRecallConditions(m_context.filter, line, lastAccess))
        return;
    m_lines.append(line);
}

const ShortcutFacts& RecentCollection::shortcutFile(const QByteArray& localPath, QString* note) {
    auto it = m_shortcuts.find(localPath);
    if (it == m_shortcuts.end()) {
        QByteArray bytes;
        const EvidenceReadStatus status =
            m_profile.files().readWhole(localPath, kMaxShortcutSize, &bytes);
        CachedShortcut cached;
        if (status == EvidenceReadStatus::Ok)
            cached.facts = readShortcut(bytes, m_locations);
        if (status != EvidenceReadStatus::Ok ||
            cached.facts.state == ShortcutFacts::State::NotALink)
            cached.note = cellInterfaceText(TextNoShortcut);
        else if (cached.facts.state == ShortcutFacts::State::HeaderOnly ||
                 cached.facts.extraDataCut)
            cached.note = cellInterfaceText(TextReadInPart);
        if (!cached.note.isEmpty())
            problem(QFile::decodeName(localPath));
        it = m_shortcuts.insert(localPath, cached);
    }
    if (note)
        *note = it->note;
    return it->facts;
}

void RecentCollection::problem(const QString& item, bool unreadable) {
    (unreadable ? m_unreadable : m_readInPart) << item;
}

void RecentCollection::progressTo(double part) {
    if (m_context.progress)
        m_context.progress->raiseTo(m_progressStart + int(part * m_context.share));
}

void RecentCollection::report() {
    if (m_reported)
        return;
    m_reported = true;
    if (!m_context.report)
        return;
    const auto message = [](const QStringList& items) {
        QStringList shown = items.mid(0, kMaxReportedItems);
        if (items.size() > kMaxReportedItems)
            shown << QStringLiteral("(+%1)").arg(items.size() - kMaxReportedItems);
        return tx(TextRecentSourcesDamaged) + QStringLiteral(":\n") + shown.join(QLatin1Char('\n'));
    };
    if (!m_unreadable.isEmpty())
        m_context.report->error(message(m_unreadable));
    if (!m_readInPart.isEmpty())
        m_context.report->warning(message(m_readInPart));
}

} // namespace vc
