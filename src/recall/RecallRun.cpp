#include "recall/RecallRun.h"

#include "browsers/BrowserLoad.h"
#include "cache/ActivityLoad.h"
#include "cache/CookieLoad.h"
#include "cache/HistoryIndexSearch.h"
#include "cache/HistoryLoad.h"
#include "cache/LinksLoad.h"
#include "documents/DocumentSources.h"
#include "language/InterfaceTexts.h"
#include "platform/Profile.h"
#include "platform/Progress.h"
#include "platform/SpecialFolders.h"
#include "platform/WorkFile.h"
#include "recall/RecallConditions.h"
#include "tables/TableModel.h"

#include <QFileInfo>

#include <algorithm>

namespace vc {

namespace {

enum Section {
    kActivity = 0,
    kHistory,
    kCookie,
    kLinks,
    kRecent,
    kTemp,
    kWebHistory,
    kWebDownloads,
    kWebCookies
};

// A section's fill between beginFill and endFill, also when a step throws.
class FillScope {
public:
    FillScope(RecallTarget& target, int section) : m_target(target), m_section(section) {
        m_target.beginFill(m_section);
    }
    ~FillScope() { m_target.endFill(m_section); }
    FillScope(const FillScope&) = delete;
    FillScope& operator=(const FillScope&) = delete;

private:
    RecallTarget& m_target;
    int m_section;
};

} // namespace

RecallPlan wholeRecallPlan() {
    RecallPlan plan;
    plan.sections.fill(true);
    plan.share = 100 / kRecallSectionCount - 6;
    plan.whole = true;
    return plan;
}

RecallPlan conditionalRecallPlan(const std::array<bool, kRecallSectionCount>& checked,
                                 const RecallConditionSet& conditions) {
    RecallPlan plan;
    plan.sections = checked;
    plan.whole = false;
    plan.description = DescribeRecallConditions(conditions);
    plan.conditions = &conditions;
    const int n = int(std::count(checked.begin(), checked.end(), true));
    plan.share = n > 0 ? 100 / n - 6 : 0;
    return plan;
}

RecallRun::RecallRun(RecallTarget& target, WorkFile& workFile)
    : m_target(target), m_report(&target.reporter(), true), m_workFile(workFile) {}

void RecallRun::run(const RecallPlan& plan) {
    m_plan = plan;
    m_summary.clear();
    m_gathered.clear();
    m_stopped = false;
    for (int section = 0; section < kRecallSectionCount && !m_stopped; ++section) {
        if (!plan.sections[size_t(section)])
            continue;
        // The temporary files and the browser sections end their summary
        // line without a line break: a section after them starts a new one.
        if (!m_gathered.isEmpty() && m_gathered.last() >= kTemp)
            m_summary += QLatin1Char('\n');
        m_summary += m_target.openSection(section) + QStringLiteral(". ");
        m_report.warnings.clear();
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
        case kWebHistory:
            finished = browserSection(section, BrowserTable::History);
            break;
        case kWebDownloads:
            finished = browserSection(section, BrowserTable::Downloads);
            break;
        case kWebCookies:
            finished = browserSection(section, BrowserTable::Cookies);
            break;
        }
        if (!finished)
            continue;
        if (section < kTemp)
            closeSection(section);
        m_gathered.append(section);
    }
}

LoadContext RecallRun::context(int share, bool moveOverall) {
    LoadContext context;
    context.filter = m_plan.conditions;
    context.progress = m_target.progress();
    context.share = share;
    context.report = &m_report;
    if (moveOverall)
        context.inputRead = [this] { advanceOverall(); };
    return context;
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

QString RecallRun::countText(int text, int section) {
    const QString count = labelWithWarnings(tx(text) + QStringLiteral(": ") +
                                                QString::number(m_target.table(section).rows()),
                                            m_report.warnings);
    m_target.setLabelText(section, RecallLabel::Count, count);
    return count;
}

bool RecallRun::activitySection() {
    const QString folder = GetSpecialFolder(FolderKind::CacheDir);
    const QString path = folder.isEmpty() ? QString() : folder + QStringLiteral("index.dat");
    TableModel& table = m_target.table(kActivity);
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_target.setLabelHint(kActivity, RecallLabel::IndexFile, path);
        setProgress(0);
        m_target.clearPane(kActivity);
        ActivityLoad load;
        {
            FillScope fill(m_target, kActivity);
            load = LoadActivity(path, m_target.linearScan(), m_workFile, context(100, true), table);
        }
        if (!load.workFileOpened)
            return false;
        m_target.setLabelText(kActivity, RecallLabel::IndexFile,
                              IndexFileCaption(path, load.version));
        m_target.selectFirstRow(kActivity);
        m_summary += countText(TextRecords, kActivity);
        return true;
    }
    m_target.setLabelText(kActivity, RecallLabel::IndexFile, QString());
    m_target.setLabelHint(kActivity, RecallLabel::IndexFile, QString());
    m_target.setLabelText(kActivity, RecallLabel::Count, QString());
    m_target.clearPane(kActivity);
    {
        BulkUpdate bulk(table);
        table.removeAllRows();
    }
    table.clearHeaderImages();
    table.setHint(QString());
    m_summary += tx(TextIndexNotFound);
    return true;
}

bool RecallRun::historySection() {
    const QString folder = GetSpecialFolder(FolderKind::HistoryDir);
    m_target.setLabelText(kHistory, RecallLabel::Directory, folder);
    QStringList indexFiles;
    if (!folder.isEmpty())
        FindIndexFiles(indexFiles, folder);
    m_target.clearPane(kHistory);
    {
        // A work file that cannot be made skips the files not yet read; the
        // section ends normally.
        FillScope fill(m_target, kHistory);
        LoadHistory(indexFiles, m_target.linearScan(), m_target.fullHistory(), m_workFile,
                    context(100, true), m_target.table(kHistory));
    }
    m_target.selectFirstRow(kHistory);
    m_summary += countText(TextRecords, kHistory);
    return true;
}

bool RecallRun::cookieSection() {
    const QString folder = GetSpecialFolder(FolderKind::CookiesDir);
    m_target.setLabelText(kCookie, RecallLabel::Directory, folder);
    TableModel& table = m_target.table(kCookie);
    m_target.clearPane(kCookie);
    CookieFilesLoad files;
    {
        FillScope fill(m_target, kCookie);
        // The text files' rows first, then those of the folder's index.
        files = LoadCookieTextFiles(folder, m_workFile, context(80, true), table);
        if (!files.workFileOpened)
            return false;
        const CookieIndexLoad index = LoadCookieIndex(folder, m_target.linearScan(), false,
                                                      m_workFile, context(20, false), table);
        if (!index.workFileOpened)
            return false;
    }
    m_target.selectFirstRow(kCookie);

    const QString records = countText(TextRecords, kCookie);
    const QString count =
        tx(TextCookieFiles) + QStringLiteral(": ") + QString::number(files.fileCount);
    m_target.setLabelText(kCookie, RecallLabel::Files, count);
    m_summary += records + QStringLiteral(". ") + count;
    return true;
}

bool RecallRun::linksSection() {
    m_target.clearPane(kLinks);
    {
        FillScope fill(m_target, kLinks);
        LoadLinks(GetSpecialFolder(FolderKind::FavoritesDir), context(100, true),
                  m_target.table(kLinks));
    }
    m_target.selectFirstRow(kLinks);
    m_summary += countText(TextRecords, kLinks);
    return true;
}

bool RecallRun::recentSection() {
    bool read = false;
    {
        FillScope fill(m_target, kRecent);
        read = LoadRecentDocuments(GetSpecialFolder(FolderKind::RecentDir), context(100, false),
                                   m_target.table(kRecent));
    }
    if (!read) {
        // The report is made; the run ends here.
        m_stopped = true;
        return false;
    }
    m_target.clearPane(kRecent);
    m_target.selectFirstRow(kRecent);
    m_summary += countText(TextRecords, kRecent);
    return true;
}

bool RecallRun::temporarySection() {
    {
        FillScope fill(m_target, kTemp);
        m_target.clearPane(kTemp);
        LoadTemporaryFiles(temporaryFolders(), context(100, true), m_target.table(kTemp));
    }
    m_target.selectFirstRow(kTemp);
    const QString count = countText(TextFiles, kTemp);
    m_target.setLabelText(kTemp, RecallLabel::Condition, m_plan.description);
    m_target.setLabelHint(kTemp, RecallLabel::Condition, m_plan.description);
    m_summary += count;
    return true;
}

// The browsers' databases found in the profile; a section without a profile
// stays empty.
bool RecallRun::browserSection(int section, BrowserTable table) {
    m_target.clearPane(section);
    {
        FillScope fill(m_target, section);
        fillBrowserTable(table, currentProfile(), context(100, true), m_target.table(section));
    }
    m_target.selectFirstRow(section);
    m_summary += countText(TextRecords, section);
    m_target.setLabelText(section, RecallLabel::Condition, m_plan.description);
    m_target.setLabelHint(section, RecallLabel::Condition, m_plan.description);
    advanceOverall();
    return true;
}

} // namespace vc
