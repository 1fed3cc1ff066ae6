#pragma once

#include "evidence/EvidenceFiles.h"
#include "platform/LoadContext.h"

#include <QString>

namespace vc {

class RowSink;

// Every file below the favorites folder into the Links table, in place of its
// rows; a favorite is listed without its ".url". The folder and the
// favorites are read through files.
void LoadLinks(const QString& favoritesFolder, const LoadContext& context, RowSink& rows,
               const EvidenceFiles& files = localEvidenceFiles());

} // namespace vc
