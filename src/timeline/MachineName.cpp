#include "timeline/MachineName.h"

#include "evidence/Machine.h"

#include <QFileInfo>

namespace vc {

QString machineNameOf(const Machine& machine) {
    if (!machine.computerName().isEmpty())
        return machine.computerName();
    if (!machine.description().isEmpty())
        return machine.description();
    const QString root = !machine.root().isEmpty()  ? machine.root()
                         : !machine.users().empty() ? machine.users().front()->folder()
                                                    : QString();
    return QFileInfo(root).fileName();
}

} // namespace vc
