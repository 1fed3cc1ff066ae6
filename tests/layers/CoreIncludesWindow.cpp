// Compiled with the core library's settings by the layer test, which expects
// the compilation to fail: core code cannot include window code.
#include "app/MainWindow.h"

int coreFileThatIncludesTheWindow() {
    return 0;
}
