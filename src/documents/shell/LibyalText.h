#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vc {

// The longest text taken from a shortcut or shell item (in UTF-16 units);
// a longer one is damage, not a name.
constexpr std::size_t kMaxLibyalText = 32 * 1024;

// A UTF-16 text from one of libyal's getter pairs (size, then text): the
// empty text when the value is missing, unreadable or longer than
// kMaxLibyalText. Errors are not asked for: every caller only needs to know
// whether there is a text.
template <typename Object, typename SizeGetter, typename TextGetter>
QString libyalText(Object* object, SizeGetter size, TextGetter text) {
    std::size_t units = 0;
    if (size(object, &units, nullptr) != 1 || units == 0 || units > kMaxLibyalText)
        return QString();
    std::vector<uint16_t> buffer(units, 0);
    if (text(object, buffer.data(), units, nullptr) != 1)
        return QString();
    std::size_t length = 0;
    while (length < units && buffer[length] != 0)
        ++length;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer.data()), qsizetype(length));
}

// The code page libyal's readers use for 8-bit names in shell items and
// shortcuts: the source code page when it is a Windows ANSI page they know,
// else windows-1252 (8-bit names on Windows are always in an ANSI page).
int libyalCodePage();

} // namespace vc
