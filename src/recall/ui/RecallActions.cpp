// The whole-computer recall: "Vellacord" gathers every section, "Recall with
// Conditions" the sections and records chosen in the conditions window.
#include "recall/ui/RecallActions.h"

#include "app/BusyCursor.h"
#include "app/MainWindow.h"
#include "platform/Messages.h"
#include "recall/RecallConditions.h"
#include "recall/RecallRun.h"
#include "recall/ui/OptRecallWindow.h"
#include "recall/ui/WindowRecallTarget.h"

#include <functional>
#include <memory>
#include <typeinfo>

namespace vc {

namespace {

// The run with its frame: cursor, both bars, and in every case (also when a
// step fails) the bars removed, the tab bookkeeping and the summary.
void runRecall(TForm1& form, const RecallPlan& plan, bool quiet);

// Every gathered section's tab is filled again by the same recall, run once
// for all of them; the conditions are kept with it. A tab filled since by
// something else is left to its own fill.
void rememberRefill(TForm1& form, const RecallPlan& plan) {
    auto conditions = plan.conditions ? std::make_shared<const RecallConditionSet>(*plan.conditions)
                                      : std::shared_ptr<const RecallConditionSet>();
    RecallPlan again = plan;
    again.conditions = conditions.get();
    auto refill = std::make_shared<std::function<void()>>();
    const std::function<void()>* self = refill.get();
    *refill = [&form, again, conditions, self] {
        RecallPlan still = again;
        for (int s = 0; s < kRecallSectionCount; ++s)
            if (form.tab(TabId(s)).refill.get() != self)
                still.sections[size_t(s)] = false;
        runRecall(form, still, true);
    };
    for (int s = 0; s < kRecallSectionCount; ++s)
        if (plan.sections[size_t(s)])
            form.tab(TabId(s)).refill = refill;
}

void runRecall(TForm1& form, const RecallPlan& plan, bool quiet) {
    form.LastSearchTable = nullptr;
    QString summary;
    {
        BusyCursor busy;
        form.CreateProgressBar(true, 0, 100);
        form.CreateSecondProgressBar(false, 0, 100);
        WindowRecallTarget target(form);
        RecallRun run(target, form.WorkFileStore);
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
    rememberRefill(form, plan);
    if (!quiet)
        messages().show(MessageKind::Information, summary, MessageButtons::Ok);
}

} // namespace

void RunWholeRecall(TForm1& form) {
    runRecall(form, wholeRecallPlan(), false);
}

void RunRecallWithConditions(TForm1& form) {
    if (!form.OptRecall1 || form.OptRecall1->execute() != QDialog::Accepted)
        return;
    // The conditions live only for this run, whatever happens in it.
    struct Discard {
        RecallConditionSet& set;
        ~Discard() { set.clear(); }
    } discard{form.RecallConditions};
    runRecall(form,
              conditionalRecallPlan(form.OptRecall1->checkedSections(), form.RecallConditions),
              false);
}

} // namespace vc
