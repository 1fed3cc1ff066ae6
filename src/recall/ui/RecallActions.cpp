// The whole-computer recall: "Vellacord" gathers every section, "Recall with
// Conditions" the sections and records chosen in the conditions window.
#include "recall/ui/RecallActions.h"

#include "app/BusyCursor.h"
#include "app/WindowFrame.h"
#include "platform/Messages.h"
#include "platform/TimeText.h"
#include "recall/RecallConditions.h"
#include "recall/RecallRun.h"
#include "recall/ui/OptRecallWindow.h"
#include "recall/ui/RecallState.h"
#include "recall/ui/WindowRecallTarget.h"
#include "tables/NewestDate.h"
#include "tables/ui/SearchState.h"

#include <functional>
#include <memory>
#include <typeinfo>

namespace vc {

namespace {

// The run with its frame: cursor, both bars, and in every case (also when a
// step fails) the bars removed, the tab bookkeeping and the summary.
void runRecall(WindowFrame& form, const RecallPlan& plan, bool quiet);

void runRecall(WindowFrame& form, const RecallPlan& plan, bool quiet) {
    form.search().LastSearchTable = nullptr;
    QString summary;
    {
        BusyCursor busy;
        form.CreateProgressBar(true, 0, 100);
        form.CreateSecondProgressBar(false, 0, 100);
        WindowRecallTarget target(form);
        RecallRun run(target, form.workFile(), form.machine());
        try {
            run.run(plan);
        } catch (const std::exception& error) {
            showError(QString::fromLatin1(typeid(error).name()) + QStringLiteral(": ") +
                      QString::fromLocal8Bit(error.what()));
        }
        summary = run.summary();
    }
    form.DestroyProgressBar();
    form.DestroySecondProgressBar();
    form.UpdateTabState();
    if (!quiet)
        messages().show(MessageKind::Information, summary, MessageButtons::Ok);
}

// Nothing of this computer is read unasked: with nothing open the user
// first says what to read.
bool somethingOpen(WindowFrame& form) {
    return form.machine() || form.askWhatToOpen();
}

} // namespace

void LoadSourceTab(WindowFrame& form, TabId id) {
    if (!somethingOpen(form))
        return;
    // One section of a recall without conditions: every user of what is
    // open, into the tab, with its labels; no summary is shown.
    RecallPlan plan = wholeRecallPlan();
    plan.sections.fill(false);
    plan.sections[size_t(id)] = true;
    runRecall(form, plan, true);
    form.showTab(id);
}

void RunWholeRecall(WindowFrame& form) {
    if (!somethingOpen(form))
        return;
    runRecall(form, wholeRecallPlan(), false);
}

void RunOpeningRecall(WindowFrame& form) {
    RunWholeRecall(form);
    form.showTab(TabId::Activity);
    form.tab(TabId::Activity).view->setFocus();
    form.UpdateTabState();
}

void RunRecallWithConditions(WindowFrame& form) {
    if (!form.recall().OptRecall1 || !somethingOpen(form))
        return;
    // The calendars open at the newest date the tables show (today when
    // none is loaded), so that old evidence is a few clicks away.
    const QDate today = QDate::currentDate();
    QDate newest;
    for (int i = 0; i < kTableTabCount; ++i) {
        const QDate date = newestShownDate(*form.tab(TabId(i)).model, dateTimeFormat(), today);
        if (date.isValid() && (!newest.isValid() || date > newest))
            newest = date;
    }
    form.recall().OptRecall1->setCalendarStart(newest);
    if (form.recall().OptRecall1->execute() != QDialog::Accepted)
        return;
    // The conditions live only for this run, whatever happens in it.
    struct Discard {
        RecallConditionSet& set;
        ~Discard() { set.clear(); }
    } discard{form.recall().RecallConditions};
    runRecall(form,
              conditionalRecallPlan(form.recall().OptRecall1->checkedSections(),
                                    form.recall().RecallConditions),
              false);
}

} // namespace vc
