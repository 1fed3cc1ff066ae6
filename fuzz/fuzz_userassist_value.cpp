// A UserAssist value: its bytes read as Windows 2000 to Vista (16 bytes)
// and Windows 7 and later (72 bytes) store them, and its name decoded.
#include "FuzzInput.h"
#include "windows/UserAssistValue.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const vc::UserAssistValue value = vc::parseUserAssistValue(bytes);
    // Only the two sizes Windows writes are read, and a count never grows.
    const bool known = size == 16 || size == 72;
    if (known != (value.layout != vc::UserAssistValue::Layout::Unknown))
        std::abort();
    if (value.runCount > value.storedCount || (value.focusCount.has_value() != (size == 72)))
        std::abort();
    // ROT13 twice gives the name back, of any characters.
    const QString name = QString::fromUtf8(bytes);
    if (vc::rot13(vc::rot13(name)) != name || vc::rot13(name).size() != name.size())
        std::abort();
    return 0;
}
