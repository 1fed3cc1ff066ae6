#pragma once

#include "app/WindowLayer.h"

#include "language/LanguageChoice.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace vc {

// Builds the Language menu: a submenu named "LangItem", captioned with text
// 121, holding one radio entry per language entry (object name and hint as
// the entry says; the entry's number in entries as the action's data),
// inserted into bar at position (before the item there, at the end when
// the bar has fewer). A trigger of an entry calls langClick with it.
// Nothing is built for no entries: the result is then nullptr.
QMenu* buildLanguageMenu(QMenuBar* bar, int position, const QList<LanguageEntry>& entries,
                         const std::function<void(QAction*)>& langClick);

} // namespace vc
