#pragma once

#include <QString>

namespace vc {

// The sections of a recall, in the order they are gathered: Activity,
// History, Cookie, Links, recent documents, temporary files, then the other
// browsers' history, downloads and cookies (the order of the table tabs,
// TabId).
constexpr int kRecallSectionCount = 9;

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

} // namespace vc
