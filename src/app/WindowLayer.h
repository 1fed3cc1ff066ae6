#pragma once

// Included first by every header of the window layer (src/app and the ui/
// folders). The core library is compiled without this definition, so a core
// file that includes window code stops here with a message that says why.
#ifndef VELLACORD_WINDOW_LAYER
#error "window code included from the core library: only src/app and ui/ folders may use it"
#endif
