#include "recall/RecallFilter.h"

namespace vc {

bool PassesRecallConditions(const QByteArray& WholeRowText, const QByteArray& AccessTimeText) {
    Q_UNUSED(WholeRowText);
    Q_UNUSED(AccessTimeText);
    return true;
}

} // namespace vc
