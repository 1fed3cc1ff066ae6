#include "tables/ui/TimeZoneView.h"

#include "app/WindowActions.h"
#include "app/WindowFrame.h"
#include "evidence/Machine.h"
#include "language/InterfaceTexts.h"
#include "platform/Registry.h"
#include "platform/TimeText.h"
#include "tables/ui/TableFilterBar.h"

#include <QAction>
#include <QSignalBlocker>

namespace vc {

namespace {

// The saved choice: "1" UTC (as the program has always kept it), "local"
// this computer's local time, "machine" the examined machine's zone. "0",
// which earlier versions wrote for local time before a machine's zone could
// be chosen, leaves the machine's zone the default.
const QString kUtcValue = QStringLiteral("TimesUtc");

QString savedChoice() {
    return RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, kUtcValue, QString(),
                          QStringLiteral("read"));
}

void saveChoice(DisplayZone zone) {
    const QString value = zone == DisplayZone::Utc       ? QStringLiteral("1")
                          : zone == DisplayZone::Machine ? QStringLiteral("machine")
                                                         : QStringLiteral("local");
    RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, kUtcValue, value,
                   QStringLiteral("write"));
}

void refreshEveryTable(WindowFrame& form) {
    for (int i = 0; i < kAllTableTabCount; ++i) {
        const TableTab& t = form.tab(TabId(i));
        if (t.filter)
            t.filter->timesChanged();
        else
            t.model->refreshTimes();
    }
}

} // namespace

void ShowTimeZone(WindowFrame& form) {
    QString text;
    switch (displayZone()) {
    case DisplayZone::Utc:
        text = tx(TextTimesUtc);
        break;
    case DisplayZone::Local:
        text = tx(TextTimesLocal).arg(displayZoneName());
        break;
    case DisplayZone::Machine:
        text = tx(TextTimesMachine).arg(displayZoneName());
        break;
    case DisplayZone::Named:
        text = tx(TextTimesZone).arg(displayZoneName());
        break;
    }
    form.statusPanel(1)->setText(text);
    form.statusPanel(1)->setToolTip(text);
    const bool machineZone = form.machine() && form.machine()->timeZone().known();
    struct Entry {
        QAction* action;
        DisplayZone zone;
    };
    for (const Entry& e : {Entry{form.actions().ViewAction_Utc, DisplayZone::Utc},
                           Entry{form.actions().ViewAction_Local, DisplayZone::Local},
                           Entry{form.actions().ViewAction_Machine, DisplayZone::Machine}}) {
        if (!e.action)
            continue;
        const QSignalBlocker quiet(e.action);
        e.action->setChecked(displayZone() == e.zone);
    }
    if (form.actions().ViewAction_Machine)
        form.actions().ViewAction_Machine->setEnabled(machineZone);
}

void SwitchTimeZone(WindowFrame& form, DisplayZone zone) {
    bool changed = false;
    if (zone == DisplayZone::Machine) {
        changed = form.machine() && showTimesInZoneOf(*form.machine());
    } else if (zone != displayZone()) {
        changed = setDisplayZone(zone);
    }
    if (changed) {
        saveChoice(zone);
        refreshEveryTable(form);
    }
    ShowTimeZone(form);
}

void UseMachineTimeZone(WindowFrame& form) {
    const QString saved = savedChoice();
    if (displayZone() != DisplayZone::Named && saved != QLatin1String("1") &&
        saved != QLatin1String("local") && form.machine() && showTimesInZoneOf(*form.machine()))
        refreshEveryTable(form);
    else if (displayZone() == DisplayZone::Machine) {
        // The zone of what was open before does not hold for this machine.
        setDisplayZone(DisplayZone::Local);
        refreshEveryTable(form);
    }
    ShowTimeZone(form);
}

void RestoreTimeZoneChoice() {
    if (displayZone() == DisplayZone::Local && savedChoice() == QLatin1String("1"))
        setDisplayZone(DisplayZone::Utc);
}

} // namespace vc
