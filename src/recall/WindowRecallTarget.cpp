#include "recall/WindowRecallTarget.h"

#include "app/MainWindow.h"
#include "documents/LinesToTable.h"
#include "preview/DetailPane.h"

#include <algorithm>

namespace vc {

namespace {

TabId tabOfSection(int section) {
    return TabId(std::clamp(section, 0, kTableTabCount - 1));
}

} // namespace

TableModel& WindowRecallTarget::table(int section) {
    return *m_form.tab(tabOfSection(section)).model;
}

Progress* WindowRecallTarget::progress() {
    return m_form.progress();
}

Progress* WindowRecallTarget::overall() {
    return m_form.secondProgress();
}

QString WindowRecallTarget::openSection(int section) {
    m_form.showTab(tabOfSection(section));
    m_form.UpdateTabState();
    m_form.repaint();
    return m_form.curTabCaption->text();
}

QWidget* WindowRecallTarget::labelOf(int section, RecallLabel label) const {
    TableTab& t = m_form.tab(tabOfSection(section));
    switch (label) {
    case RecallLabel::Count:
        return t.countLabel;
    case RecallLabel::Condition:
        return t.condLabel;
    case RecallLabel::Files:
        return m_form.ieC_FilesLabel;
    case RecallLabel::Directory:
        return tabOfSection(section) == TabId::History ? m_form.ieH_DirectoryPanel
                                                       : m_form.ieC_DirectoryPanel;
    case RecallLabel::IndexFile:
        return m_form.HistoryFileNamePanel;
    }
    return nullptr;
}

void WindowRecallTarget::setLabelText(int section, RecallLabel label, const QString& text) {
    if (auto* widget = qobject_cast<QLabel*>(labelOf(section, label)))
        widget->setText(text);
}

void WindowRecallTarget::setLabelHint(int section, RecallLabel label, const QString& hint) {
    if (QWidget* widget = labelOf(section, label))
        widget->setToolTip(hint);
}

void WindowRecallTarget::clearPane(int section) {
    m_form.ClearPane(m_form.tab(tabOfSection(section)).pane);
}

void WindowRecallTarget::selectFirstRow(int section) {
    m_form.selectFirstRow(tabOfSection(section));
}

bool WindowRecallTarget::linearScan() const {
    return m_form.fullHistoryChecked();
}

bool WindowRecallTarget::fullHistory() const {
    return m_form.ieH_CheckBox->isChecked();
}

void WindowRecallTarget::fillActivityTable(const QString& workFileName, const QString& indexFile,
                                           int share, double version) {
    m_form.FillActivityTable(workFileName, indexFile, share, version);
}

void WindowRecallTarget::fillHistoryTable(const QString& workFileName, int share) {
    m_form.FillHistoryTable(workFileName, share);
}

void WindowRecallTarget::fillCookieTableFromFiles(const QString& workFileName, int share) {
    m_form.FillCookieTableFromFiles(workFileName, share);
}

void WindowRecallTarget::fillCookieTableFromIndex(const QString& workFileName, int share) {
    m_form.FillCookieTableFromIndex(workFileName, share);
    // The distinct file names of the index are not shown after a recall.
    m_form.ListBox2.clear();
}

void WindowRecallTarget::linesToLinksTable(QList<QByteArray>& lines, int share) {
    m_form.ListBox1 = std::move(lines);
    lines.clear();
    m_form.LinesToLinksTable(share);
}

void WindowRecallTarget::linesToTable(int section, QList<QByteArray>& lines, int share) {
    m_form.ListBox1 = std::move(lines);
    lines.clear();
    LinesToTable(m_form, tabOfSection(section), share);
}

} // namespace vc
