#include "tables/ui/TimeZoneView.h"

#include "app/MainWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/Registry.h"
#include "platform/TimeText.h"

#include <QSignalBlocker>

#include <algorithm>
#include <vector>

namespace vc {

namespace {

const QString kUtcValue = QStringLiteral("TimesUtc");

} // namespace

void ShowTimeZone(TForm1& form) {
    const QString text =
        showsUtc() ? tx(TextTimesUtc) : tx(TextTimesLocal).arg(localTimeZoneName());
    form.StatusPanel1->setText(text);
    form.StatusPanel1->setToolTip(text);
    if (form.ViewAction_Utc) {
        const QSignalBlocker quiet(form.ViewAction_Utc);
        form.ViewAction_Utc->setChecked(showsUtc());
    }
}

void SwitchTimesToUtc(TForm1& form, bool utc) {
    if (utc != showsUtc()) {
        setShowsUtc(utc);
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, kUtcValue,
                       utc ? QStringLiteral("1") : QStringLiteral("0"), QStringLiteral("write"));
        RefillTables(form);
    }
    ShowTimeZone(form);
}

void RefillTables(TForm1& form) {
    const TabId front = form.currentTabId();
    std::vector<std::shared_ptr<const std::function<void()>>> done;
    for (int i = 0; i < kTableTabCount; ++i) {
        const TableTab& t = form.tab(TabId(i));
        // Held here: the fill replaces the tab's own.
        const std::shared_ptr<const std::function<void()>> refill = t.refill;
        if (!refill || t.model->rows() == 0 ||
            std::find(done.begin(), done.end(), refill) != done.end())
            continue;
        done.push_back(refill);
        (*refill)();
    }
    form.showTab(front);
}

void RestoreTimesInUtc() {
    if (RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, kUtcValue, QString(),
                       QStringLiteral("read")) == QLatin1String("1"))
        setShowsUtc(true);
}

} // namespace vc
