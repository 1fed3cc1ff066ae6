#include "recall/ui/WindowRecallTarget.h"

#include "app/WindowFrame.h"
#include "preview/ui/DetailPane.h"

#include <algorithm>

namespace vc {

namespace {

TabId tabOfSection(int section) {
    return TabId(std::clamp(section, 0, kTableTabCount - 1));
}

} // namespace

WindowRecallTarget::WindowRecallTarget(WindowFrame& form)
    : m_form(form), m_report(&form.reporter()) {}

TableModel& WindowRecallTarget::table(int section) {
    return *m_form.tab(tabOfSection(section)).model;
}

Progress* WindowRecallTarget::progress() {
    return m_form.progress();
}

Progress* WindowRecallTarget::overall() {
    return m_form.secondProgress();
}

Reporter& WindowRecallTarget::reporter() {
    return m_report;
}

QString WindowRecallTarget::openSection(int section) {
    m_form.showTab(tabOfSection(section));
    m_form.UpdateTabState();
    m_form.frameWidget()->repaint();
    return m_form.currentTabCaption();
}

void WindowRecallTarget::setLabelText(int section, RecallLabel label, const QString& text) {
    const TabId id = tabOfSection(section);
    switch (label) {
    case RecallLabel::Count:
        m_form.tab(id).countLabel->setText(text);
        break;
    case RecallLabel::Condition:
        m_form.setConditionText(id, text);
        break;
    case RecallLabel::Files:
        m_form.setCookieFilesText(text);
        break;
    case RecallLabel::Directory:
        if (id == TabId::History)
            m_form.setHistoryFolder(text);
        else
            m_form.setCookieFolder(text);
        break;
    case RecallLabel::IndexFile:
        m_form.setActivityIndexCaption(text);
        break;
    }
}

void WindowRecallTarget::setLabelHint(int section, RecallLabel label, const QString& hint) {
    switch (label) {
    case RecallLabel::IndexFile:
        m_form.setActivityIndexFile(hint);
        break;
    case RecallLabel::Condition:
        // The condition label's hint is its text.
        break;
    default:
        break;
    }
    Q_UNUSED(section);
}

void WindowRecallTarget::clearPane(int section) {
    m_form.ClearPane(m_form.tab(tabOfSection(section)).pane);
}

void WindowRecallTarget::beginFill(int section) {
    m_form.detachChangeHandler(tabOfSection(section));
}

void WindowRecallTarget::endFill(int section) {
    m_form.attachChangeHandler(tabOfSection(section));
}

void WindowRecallTarget::selectFirstRow(int section) {
    m_form.selectFirstRow(tabOfSection(section));
}

bool WindowRecallTarget::linearScan() const {
    return m_form.fullHistoryChecked();
}

bool WindowRecallTarget::fullHistory() const {
    return m_form.allHistoryFilesChecked();
}

} // namespace vc
