#include "recall/RecallFilter.h"

#include "recall/RecallConditions.h"

#include "platform/TimeValue.h"

#include <optional>

namespace vc {

namespace {

QByteArrayView trimmedBytes(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && static_cast<unsigned char>(text[from]) <= 32)
        ++from;
    while (to > from && static_cast<unsigned char>(text[to - 1]) <= 32)
        --to;
    return text.sliced(from, to - from);
}

} // namespace

bool PassesRecallConditions(const RecallConditionSet& set, QByteArrayView WholeRowText,
                            QByteArrayView AccessTimeText) {
    if (set.isEmpty())
        return true;
    // Times kept as numbers: the row text shows their texts, the date
    // conditions judge the time itself.
    QByteArray expanded;
    if (WholeRowText.contains(kTimeCellMark)) {
        expanded = expandTimeCells(WholeRowText);
        WholeRowText = expanded;
    }
    const std::optional<TimeValue> accessTime =
        isTimeCell(AccessTimeText) ? readTimeCell(AccessTimeText) : std::nullopt;
    std::optional<bool> dateVerdict;
    std::optional<bool> rowVerdict;
    std::optional<bool> orJoin;
    int i = 0;
    for (const RecallCondition& condition : set.conditions()) {
        if (condition.fieldName == kLastAccessField)
            dateVerdict = accessTime ? JudgeTime(*accessTime, condition)
                                     : Judge(recallDatePart(AccessTimeText), condition);
        else if (condition.fieldName == kWholeRowField)
            rowVerdict = Judge(trimmedBytes(WholeRowText), condition);
        if (i > 0)
            orJoin = condition.orJoin != 0;
        ++i;
    }
    if (dateVerdict && rowVerdict) {
        if (orJoin.value_or(false))
            return *dateVerdict || *rowVerdict;
        return *dateVerdict && *rowVerdict;
    }
    if (dateVerdict)
        return *dateVerdict;
    if (rowVerdict)
        return *rowVerdict;
    return true;
}

} // namespace vc
