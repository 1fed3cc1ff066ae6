#pragma once

#include "app/WindowLayer.h"

#include <QString>

class QMenu;

namespace vc {

class TLangi1;

// The Language menu's state: the language chosen (saved for the next
// start), the menu (none when no language file was found) and the locale
// list of "Help yourself (localization)", kept for the whole run.
struct LanguageState {
    QString LanguageCode;
    QMenu* LangItem = nullptr;
    TLangi1* Langi1 = nullptr;
};

} // namespace vc
