#pragma once

#include "app/WindowLayer.h"

#include <QStringList>

class QAction;
class QMenuBar;

namespace vc {

struct LanguageState;
struct ProgramFacts;

// What the Language menu needs of the main window: the menu bar it goes
// into, its own state, where the program's language files lie, and the
// texts of the whole window written again after a switch. The main window
// (TForm1) implements it.
class LanguageWindow {
public:
    virtual ~LanguageWindow() = default;

    virtual QMenuBar* languageMenuBar() const = 0;
    virtual LanguageState& language() = 0;
    virtual const ProgramFacts& program() const = 0;
    // Writes the interface texts into the window and into every small
    // window it owns.
    virtual void ApplyInterfaceTexts() = 0;
    // After a switch: the texts on screen that are made of interface texts
    // (counts, files, conditions, the status bar, the detail panes) written
    // in the new language; before is the language they were written in.
    virtual void retranslateScreenTexts(const QStringList& before) = 0;
    // A Language menu entry was chosen.
    virtual void LangClick(QAction* entry) = 0;
};

} // namespace vc
