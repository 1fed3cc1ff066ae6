#pragma once

#include <QString>

namespace vc {

class Machine;

// How the timeline names a machine: its computer name from the SYSTEM hive,
// else the folder it was opened from.
QString machineNameOf(const Machine& machine);

} // namespace vc
