#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace vc {

// The response headers as the caches keep them, made into one form: the
// status line and each header line, separated by '\n', without empty lines
// and with any other control character a space.
// Chrome separates them by zero bytes (ending with two), Firefox by CR LF.
QByteArray headerLinesFromZeroSeparated(QByteArrayView raw);
QByteArray headerLinesFromCrLf(QByteArrayView raw);

// The status line ("HTTP/1.1 200 OK"): the first line, when it starts with
// "HTTP/"; else empty.
QByteArrayView httpStatusLine(QByteArrayView lines);
// The value of the first header of that name (matched without regard to
// letter case), spaces around it dropped; empty when there is none.
QByteArrayView httpHeaderValue(QByteArrayView lines, QByteArrayView name);

// An HTTP date as seconds since 1970 UTC: the preferred form "Sun, 06 Nov
// 1994 08:49:37 GMT", the obsolete "Sunday, 06-Nov-94 08:49:37 GMT" (a
// two-digit year below 70 is in the 2000s) and C's asctime form "Sun Nov  6
// 08:49:37 1994". nullopt for anything else ("0", "-1", garbage) or a date
// that does not exist.
std::optional<qint64> parseHttpDate(QByteArrayView text);

} // namespace vc
