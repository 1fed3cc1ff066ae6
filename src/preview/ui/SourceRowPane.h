#pragma once

#include "app/WindowLayer.h"

#include <QString>

namespace vc {

class WindowFrame;
enum class TabId;

// Fills the detail pane of a row of a source that describes its rows itself
// (its catalogue entry has a row view): the memo, the line above it, the
// file the row names for the file actions, and the preview of the picture
// the row names or holds. False when the source's pane is laid out by the
// window itself.
bool ShowSourceRowView(WindowFrame& form, TabId id, int row);
// The file of this machine's folders that such a row names, for the file
// actions (a deleted file still in the Recycle Bin); empty for none.
QString SourceRowFile(WindowFrame& form, TabId id, int row);

} // namespace vc
