#include "recall/HeadlessRecallTarget.h"

#include "evidence/Sources.h"

#include <algorithm>

namespace vc {

HeadlessRecallTarget::HeadlessRecallTarget() {
    for (int s = 0; s < kRecallSectionCount; ++s)
        m_tables[s] = makeSourceTable(sourceAt(s));
}

HeadlessRecallTarget::~HeadlessRecallTarget() = default;

TableModel& HeadlessRecallTarget::table(int section) {
    return *m_tables[std::clamp(section, 0, kRecallSectionCount - 1)];
}

QString HeadlessRecallTarget::openSection(int section) {
    m_opened.append(section);
    return recallOuterCaption(section) + QStringLiteral(": ") + recallSectionCaption(section);
}

void HeadlessRecallTarget::setLabelText(int section, RecallLabel label, const QString& text) {
    m_texts[{section, int(label)}] = text;
}

void HeadlessRecallTarget::setLabelHint(int section, RecallLabel label, const QString& hint) {
    m_hints[{section, int(label)}] = hint;
}

QString HeadlessRecallTarget::labelText(int section, RecallLabel label) const {
    return m_texts.value({section, int(label)});
}

QString HeadlessRecallTarget::labelHint(int section, RecallLabel label) const {
    return m_hints.value({section, int(label)});
}

} // namespace vc
