#include "recall/RecallRun.h"

#include "app/WorkFile.h"
#include "cache/CookieTable.h"
#include "cache/CookieTextFile.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/IndexLoad.h"
#include "documents/DocumentSources.h"
#include "documents/FolderWalk.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "platform/Progress.h"
#include "platform/SpecialFolders.h"
#include "tables/TableModel.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vc {

namespace {

enum Section { kActivity = 0, kHistory, kCookie, kLinks, kRecent, kTemp };

// Favorites and recent links are listed without their ".url" or ".lnk".
constexpr int kLinkNameCut = 4;

// Keeps a table inside one bulk update for a scope, also when a step throws.
class BulkUpdate {
public:
    explicit BulkUpdate(TableModel& table) : m_table(table) { m_table.beginBulkUpdate(); }
    ~BulkUpdate() { m_table.endBulkUpdate(); }
    BulkUpdate(const BulkUpdate&) = delete;
    BulkUpdate& operator=(const BulkUpdate&) = delete;

private:
    TableModel& m_table;
};

} // namespace

RecallPlan wholeRecallPlan() {
    RecallPlan plan;
    plan.sections.fill(true);
    plan.share = 10;
    plan.whole = true;
    return plan;
}

RecallPlan conditionalRecallPlan(const std::array<bool, kRecallSectionCount>& checked,
                                 const QString& description) {
    RecallPlan plan;
    plan.sections = checked;
    plan.whole = false;
    plan.description = description;
    const int n = int(std::count(checked.begin(), checked.end(), true));
    plan.share = n > 0 ? 100 / n - 6 : 0;
    return plan;
}

RecallRun::RecallRun(RecallTarget& target, WorkFile& workFile)
    : m_target(target), m_workFile(workFile) {}

void RecallRun::run(const RecallPlan& plan) {
    m_plan = plan;
    m_summary.clear();
    m_gathered.clear();
    for (int section = 0; section < kRecallSectionCount; ++section) {
        if (!plan.sections[size_t(section)])
            continue;
        m_summary += m_target.openSection(section) + QStringLiteral(". ");
        if (section != kActivity)
            setProgress(0);
        bool finished = false;
        switch (section) {
        case kActivity:
            finished = activitySection();
            break;
        case kHistory:
            finished = historySection();
            break;
        case kCookie:
            finished = cookieSection();
            break;
        case kLinks:
            finished = linksSection();
            break;
        case kRecent:
            finished = recentSection();
            break;
        case kTemp:
            finished = temporarySection();
            break;
        }
        if (!finished)
            continue;
        if (section != kTemp)
            closeSection(section);
        m_gathered.append(section);
    }
}

void RecallRun::closeSection(int section) {
    m_target.setLabelText(section, RecallLabel::Condition, m_plan.description);
    m_target.setLabelHint(section, RecallLabel::Condition, m_plan.description);
    advanceOverall();
    m_summary += QLatin1Char('\n');
}

void RecallRun::advanceOverall() {
    // A bar shows values up to its maximum only; beyond that it stays full.
    if (Progress* bar = m_target.overall())
        bar->setPosition(std::min(100, bar->position() + m_plan.share));
}

void RecallRun::setProgress(int position) {
    if (Progress* bar = m_target.progress())
        bar->setPosition(position);
}

bool RecallRun::openWorkFile() {
    if (m_workFile.createOrEmpty())
        return true;
    reportWorkFileError();
    return false;
}

void RecallRun::reportWorkFileError() {
    showError(tx(149) + QStringLiteral(":\n") + m_workFile.fileName());
}

QString RecallRun::countText(int text, int section) {
    const QString count =
        tx(text) + QStringLiteral(": ") + QString::number(m_target.table(section).rows());
    m_target.setLabelText(section, RecallLabel::Count, count);
    return count;
}

bool RecallRun::activitySection() {
    const QString folder = GetSpecialFolder(FolderKind::CacheDir);
    const QString path = folder.isEmpty() ? QString() : folder + QStringLiteral("index.dat");
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_target.setLabelHint(kActivity, RecallLabel::IndexFile, path);
        setProgress(0);
        WalkOptions options;
        options.linearScan = m_target.linearScan();
        options.progressShare = 50;
        options.progress = m_target.progress();
        const IndexLoadResult load = WalkIndexIntoWorkFile(m_workFile, path, options);
        if (!load.workFileOpened) {
            reportWorkFileError();
            return false;
        }
        advanceOverall();
        m_target.fillActivityTable(m_workFile.fileName(), path, 50, load.version);
        m_summary += countText(75, kActivity);
        return true;
    }
    m_target.setLabelText(kActivity, RecallLabel::IndexFile, QString());
    m_target.setLabelHint(kActivity, RecallLabel::IndexFile, QString());
    m_target.setLabelText(kActivity, RecallLabel::Count, QString());
    m_target.clearPane(kActivity);
    TableModel& table = m_target.table(kActivity);
    {
        BulkUpdate bulk(table);
        table.removeAllRows();
    }
    table.clearHeaderImages();
    table.setHint(QString());
    m_summary += tx(127);
    return true;
}

bool RecallRun::historySection() {
    const QString folder = GetSpecialFolder(FolderKind::HistoryDir);
    m_target.setLabelText(kHistory, RecallLabel::Directory, folder);
    QStringList indexFiles;
    if (!folder.isEmpty())
        FindIndexFiles(indexFiles, folder);

    TableModel& table = m_target.table(kHistory);
    {
        BulkUpdate bulk(table);
        table.removeAllRows();
        const int n = int(indexFiles.size());
        for (int i = 0; i < n; ++i) {
            const int fileShare = i == 0 ? 50 : 50 / n;
            WalkOptions options;
            options.linearScan = m_target.linearScan();
            options.progressShare = fileShare / 2;
            options.progress = m_target.progress();
            const IndexLoadResult load =
                WalkIndexIntoWorkFile(m_workFile, indexFiles.at(i), options);
            if (!load.workFileOpened) {
                // The files not yet read are skipped; the section ends normally.
                reportWorkFileError();
                break;
            }
            advanceOverall();
            m_target.clearPane(kHistory);
            m_target.fillHistoryTable(m_workFile.fileName(), fileShare / 2);
            if (!m_target.fullHistory())
                break;
        }
    }
    m_target.selectFirstRow(kHistory);
    m_summary += countText(75, kHistory);
    return true;
}

bool RecallRun::cookieSection() {
    const QString folder = GetSpecialFolder(FolderKind::CookiesDir);
    m_target.setLabelText(kCookie, RecallLabel::Directory, folder);
    const QStringList textFiles = folder.isEmpty() ? QStringList() : ListCookieTextFiles(folder);
    TableModel& table = m_target.table(kCookie);

    if (!textFiles.isEmpty()) {
        if (!openWorkFile())
            return false;
        setProgress(0);
        const int n = int(textFiles.size());
        for (int i = 0; i < n; ++i) {
            const QString& name = textFiles.at(i);
            ReadCookieFile(folder + name, QFile::encodeName(name), *m_workFile.device());
            if (Progress* bar = m_target.progress())
                bar->raiseTo(int(double(i) / double(n) * 40));
        }
        m_workFile.close();
        advanceOverall();
        setProgress(40);
        m_target.fillCookieTableFromFiles(m_workFile.fileName(), 40);
    } else {
        BulkUpdate bulk(table);
        table.removeAllRows();
    }

    const QString indexFile = folder.isEmpty() ? QString() : FindCookieIndexFile(folder);
    if (!indexFile.isEmpty()) {
        WalkOptions options;
        options.linearScan = m_target.linearScan();
        options.progressShare = 10;
        options.progress = m_target.progress();
        const IndexLoadResult load = WalkIndexIntoWorkFile(m_workFile, indexFile, options);
        if (!load.workFileOpened) {
            reportWorkFileError();
            return false;
        }
        // The index rows follow the rows of the text files.
        m_target.fillCookieTableFromIndex(m_workFile.fileName(), 10);
    }
    m_target.selectFirstRow(kCookie);

    const QString records = countText(75, kCookie);
    const QString files = tx(102) + QStringLiteral(": ") + QString::number(textFiles.size());
    m_target.setLabelText(kCookie, RecallLabel::Files, files);
    m_summary += records + QStringLiteral(". ") + files;
    return true;
}

bool RecallRun::linksSection() {
    m_lines.clear();
    CollectFolderFiles(m_lines, GetSpecialFolder(FolderKind::FavoritesDir), QByteArray(),
                       kLinkNameCut);
    advanceOverall();
    m_target.linesToLinksTable(m_lines, 100);
    m_summary += countText(75, kLinks);
    return true;
}

bool RecallRun::recentSection() {
    m_lines.clear();
    const MruReadResult mru = collectRecentDocuments(m_lines);
    if (!mru.ok) {
        // Nothing half-read is shown; the message ends the run.
        m_lines.clear();
        throw RecallStopped(mru.error.toStdString());
    }
    m_target.clearPane(kRecent);
    m_target.linesToTable(kRecent, m_lines, 100);
    m_summary += countText(75, kRecent);
    return true;
}

bool RecallRun::temporarySection() {
    m_lines.clear();
    collectTemporaryFiles(m_lines);
    advanceOverall();
    m_target.clearPane(kTemp);
    m_target.linesToTable(kTemp, m_lines, 100);
    const QString count = countText(110, kTemp);
    m_target.setLabelText(kTemp, RecallLabel::Condition, m_plan.description);
    m_target.setLabelHint(kTemp, RecallLabel::Condition, m_plan.description);
    m_summary += count;
    return true;
}

} // namespace vc
