// The Language menu and the localization help of the main window.
#include "language/ui/LanguageActions.h"

#include "app/ScreenTexts.h"
#include "app/WindowServices.h"
#include "language/InterfaceTexts.h"
#include "language/LanguageChoice.h"
#include "language/LanguageFiles.h"
#include "language/ui/LangiWindow.h"
#include "language/ui/LanguageMenu.h"
#include "language/ui/LanguageState.h"
#include "language/ui/LanguageWindow.h"
#include "platform/Registry.h"

#include <QMenuBar>

namespace vc {

namespace {

// Where the Language menu goes: before Help, which makes it the seventh
// menu (after File, My Computer, Search, Internet Explorer, Documents and
// Export), and keeps it beside Help when menus are added before it.
int languageMenuPosition(const LanguageWindow& form) {
    const QList<QAction*> items = form.languageMenuBar()->actions();
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i)->menu() && items.at(i)->menu()->objectName() == QLatin1String("Help1Item"))
            return i;
    return 6;
}

} // namespace

void BuildLanguageMenu(LanguageWindow& form) {
    const QStringList folders = languageFolders(form.program().ExeDir);
    const QList<LanguageEntry> entries = languageMenuEntries(folders);
    if (entries.isEmpty()) {
        LoadInterfaceTexts(QStringLiteral("en"), folders);
        form.ApplyInterfaceTexts();
        return;
    }
    form.language().LangItem =
        buildLanguageMenu(form.languageMenuBar(), languageMenuPosition(form), entries,
                          [&form](QAction* entry) { form.LangClick(entry); });
    const int selected = selectedLanguageEntry(entries, form.language().LanguageCode);
    form.LangClick(form.language().LangItem->actions().at(selected));
}

void ChooseLanguageEntry(LanguageWindow& form, QAction* entry) {
    if (!entry)
        return;
    LanguageEntry chosen;
    chosen.name = entry->objectName();
    chosen.hint = entry->statusTip();
    // The texts on screen are told by the language they were written in.
    const QStringList before = interfaceTextsInUse();
    chooseLanguage(chosen, languageFolders(form.program().ExeDir));
    form.language().LanguageCode = languageChoiceValue(chosen.hint);
    form.ApplyInterfaceTexts();
    form.retranslateScreenTexts(before);
    entry->setChecked(true);
}

void ShowLocaleList(LanguageWindow& form) {
    const QString userLocale =
        RegistryAccess(RegistryRoot::CurrentUser, QStringLiteral("Control Panel\\International"),
                       QStringLiteral("sLanguage"), QString(), QStringLiteral("read"));
    form.language().Langi1->setSupportAddress(form.program().SupportAddress);
    form.language().Langi1->setUserLocale(userLocale);
    form.language().Langi1->runModal();
}

} // namespace vc
