#pragma once

#include "evidence/Sources.h"

#include <QString>

namespace vc {

// The sections of a recall are the sources of the catalogue, in its order:
// Activity, History, Cookie, Links, recent documents, temporary files, the
// other browsers' history, downloads and cookies, and the sources added
// after them (the order of the table tabs).
constexpr int kRecallSectionCount = kSourceCount;

// Caption of the outer tab of section i ("Internet Explorer", "Documents",
// "Chrome, Edge, Firefox")
// and of its own tab, from the interface texts.
QString recallOuterCaption(int section);
QString recallSectionCaption(int section);
// Entry i of the conditions window's section list: outer caption, ". " and
// the section's caption.
QString recallSectionEntry(int section);
// The short name of a section (letter on the command line, export file name).
char recallSectionLetter(int section);
QString recallSectionName(int section);
// The letters of every section, joined by ", " ("a, h, c, ...").
QString recallSectionLetters();

} // namespace vc
