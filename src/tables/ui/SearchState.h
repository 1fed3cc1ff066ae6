#pragma once

#include "app/WindowLayer.h"

namespace vc {

class TableModel;
class TSearch1;
class TGotoLine1;

// What the find, search-again and go-to-line commands keep between runs:
// the table last searched (search again continues only there; every load
// forgets it) and their two windows, kept for the whole run.
struct SearchState {
    TableModel* LastSearchTable = nullptr;
    TSearch1* Search1 = nullptr;
    TGotoLine1* GotoLine1 = nullptr;
};

} // namespace vc
