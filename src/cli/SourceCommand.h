#pragma once

#include "cli/CommandLine.h"
#include "evidence/Sources.h"

namespace vc {

// Writes the table of a source read from the evidence the options name
// (every user of a volume, one after the other). Exit status 1 when an
// input could not be read (named on stderr), 2 on a usage error.
int runSourceCommand(const CliOptions& options, const SourceSpec& decl);

} // namespace vc
