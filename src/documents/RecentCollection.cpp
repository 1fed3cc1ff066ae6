#include "documents/RecentCollection.h"

#include "documents/EvidenceFile.h"
#include "documents/RecentRow.h"
#include "documents/RecentTexts.h"
#include "platform/Hive.h"
#include "platform/Profile.h"
#include "platform/Progress.h"
#include "platform/Registry.h"
#include "platform/Reporter.h"
#include "recall/RecallFilter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vc {

namespace {

QString canonical(const QString& folder) {
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path.isEmpty() ? QString() : path;
}

bool inside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString hiveRecentFolder(const Profile& profile) {
    const Hive* hive = profile.userHive();
    if (!hive)
        return QString();
    const Hive::TextResult value = hive->readString(kShellFoldersKey, QStringLiteral("Recent"));
    return value.ok() ? value.text : QString();
}

} // namespace

QStringList recentFolders(const Profile& profile) {
    QStringList candidates;
    const QString named = hiveRecentFolder(profile);
    const QString mapped = named.isEmpty() ? QString() : profile.mapWindowsPath(named);
    if (!mapped.isEmpty())
        candidates << mapped;
    else if (profile.layout() == ProfileLayout::Xp)
        candidates << profile.resolve({QStringLiteral("Recent")});
    candidates << profile.resolve({QStringLiteral("AppData"), QStringLiteral("Roaming"),
                                   QStringLiteral("Microsoft"), QStringLiteral("Windows"),
                                   QStringLiteral("Recent")});
    QStringList kept;      // as given
    QStringList keptPaths; // canonical
    for (const QString& folder : candidates) {
        const QString path = canonical(folder);
        if (path.isEmpty() || !QFileInfo(path).isDir())
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

RecentCollection::RecentCollection(const Profile& profile, const LoadContext& context,
                                   QList<QByteArray>& rowLines)
    : m_profile(profile), m_context(context), m_lines(rowLines),
      m_locations(KnownFolderLocations::fromProfile(profile)),
      m_recentFolders(vc::recentFolders(profile)),
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
    const QByteArray line = recentRowLine(row, &lastAccess);
    if (m_context.filter && !PassesRecallConditions(*m_context.filter, line, lastAccess))
        return;
    m_lines.append(line);
}

const ShortcutFacts& RecentCollection::shortcutFile(const QByteArray& localPath, QString* note) {
    auto it = m_shortcuts.find(localPath);
    if (it == m_shortcuts.end()) {
        QByteArray bytes;
        const EvidenceReadStatus status = readEvidenceFile(localPath, kMaxShortcutSize, &bytes);
        CachedShortcut cached;
        if (status == EvidenceReadStatus::Ok)
            cached.facts = readShortcut(bytes, m_locations);
        if (status != EvidenceReadStatus::Ok)
            cached.note = recentText(kNoteLinkUnreadable);
        else if (cached.facts.state == ShortcutFacts::State::HeaderOnly)
            cached.note = recentText(kNoteLinkHeaderOnly);
        else if (cached.facts.state == ShortcutFacts::State::NotALink)
            cached.note = recentText(kNoteNotALink);
        if (!cached.note.isEmpty())
            problem(kMsgLinksDamaged, QFile::decodeName(localPath));
        it = m_shortcuts.insert(localPath, cached);
    }
    if (note)
        *note = it->note;
    return it->facts;
}

void RecentCollection::problem(int messageText, const QString& item, bool isError) {
    Problems& problems = m_problems[messageText];
    problems.items << item;
    problems.isError = problems.isError || isError;
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
    for (auto it = m_problems.cbegin(); it != m_problems.cend(); ++it) {
        const QStringList& items = it->items;
        QStringList shown = items.mid(0, kMaxReportedItems);
        if (items.size() > kMaxReportedItems)
            shown << QStringLiteral("(+%1)").arg(items.size() - kMaxReportedItems);
        const QString text =
            recentText(it.key()) + QStringLiteral(":\n") + shown.join(QLatin1Char('\n'));
        if (it->isError)
            m_context.report->error(text);
        else
            m_context.report->warning(text);
    }
}

} // namespace vc
