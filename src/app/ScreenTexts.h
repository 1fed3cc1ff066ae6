#pragma once

#include "app/WindowLayer.h"

#include <QString>
#include <QStringList>

namespace vc {

class TForm1;

// The interface texts in use now, text 0 first: what a language switch
// compares the texts on screen with.
QStringList interfaceTextsInUse();

// A text on screen written anew in the language now in use, where it is made
// of interface texts the way the loaders make their labels and messages:
// parts joined by "  Warning: ", each an interface text of the language
// before (given as `before`) followed by ":", " ", "." or nothing, then what
// it concerns ("Records: 42", "Cookie Files: 8", "Search options: ...",
// "Index file damaged: /path", "File Erased"). Parts that start with no
// interface text stay as they are.
// `known` is the text a part most likely starts with (the count label's
// "Records"), taken first where two texts of the language before read
// alike.
QString retranslatedText(const QString& shown, const QStringList& before, int known = -1);

// After a language switch: every label around the tables (counts, files,
// conditions, the status bar) written in the new language, and every detail
// pane filled again for its focused row, picture caption included.
void RetranslateScreenTexts(TForm1& form, const QStringList& before);

} // namespace vc
