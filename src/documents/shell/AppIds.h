#pragma once

#include <QString>

namespace vc {

// The application of a jump list from its file name: the name before the
// first dot, when it is hexadecimal (the application id Windows derives from
// the program); empty otherwise.
QString jumpListAppId(const QString& fileName);

// The English name of a well-known application id ("Windows Explorer"),
// empty when the id is not in the table.
QString jumpListAppName(const QString& appId);

} // namespace vc
