#pragma once

#include <QString>

namespace vc {

// The program's own addresses and version text, shown in the title bar, the
// exports' title row and the settings.
inline const QString kMakerWebAddress = QStringLiteral("https://ostravane.example/vellacord");
inline const QString kSupportAddress = QStringLiteral("support@ostravane.example");
inline const QString kVersionText = QStringLiteral("ver. 1.1");

} // namespace vc
