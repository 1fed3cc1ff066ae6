#include "language/ui/LanguageMenu.h"

#include "language/InterfaceTexts.h"

#include <QActionGroup>

namespace vc {

QMenu* buildLanguageMenu(QMenuBar* bar, int position, const QList<LanguageEntry>& entries,
                         const std::function<void(QAction*)>& langClick) {
    if (entries.isEmpty())
        return nullptr;
    auto* menu = new QMenu(tx(TextLanguage), bar);
    menu->setObjectName(QStringLiteral("LangItem"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int i = 0; i < entries.size(); ++i) {
        const LanguageEntry& entry = entries.at(i);
        QAction* action = menu->addAction(entry.caption);
        action->setObjectName(entry.name);
        action->setToolTip(entry.hint);
        action->setStatusTip(entry.hint);
        action->setData(i);
        action->setCheckable(true);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu,
                         [langClick, action] { langClick(action); });
    }
    const QList<QAction*> items = bar->actions();
    if (position >= 0 && position < items.size())
        bar->insertMenu(items.at(position), menu);
    else
        bar->addMenu(menu);
    return menu;
}

} // namespace vc
