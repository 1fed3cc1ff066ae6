#pragma once

#include "platform/LoadContext.h"

#include <QString>

namespace vc {

class RowSink;

// Every file below the favorites folder into the Links table, in place of its
// rows; a favorite is listed without its ".url".
void LoadLinks(const QString& favoritesFolder, const LoadContext& context, RowSink& rows);

} // namespace vc
