#include "recall/RecallSections.h"

#include "language/InterfaceTexts.h"

namespace vc {

namespace {

bool valid(int section) {
    return section >= 0 && section < sourceCount();
}

} // namespace

QString recallOuterCaption(int section) {
    return valid(section) ? tx(sourceAt(section).groupText) : QString();
}

QString recallSectionCaption(int section) {
    return valid(section) ? tx(sourceAt(section).tabText) : QString();
}

QString recallSectionEntry(int section) {
    return recallOuterCaption(section) + QStringLiteral(". ") + recallSectionCaption(section);
}

char recallSectionLetter(int section) {
    return valid(section) ? sourceAt(section).letter : '\0';
}

QString recallSectionName(int section) {
    return valid(section) ? QString::fromLatin1(sourceAt(section).name) : QString();
}

QString recallSectionLetters() {
    QStringList letters;
    for (int s = 0; s < sourceCount(); ++s)
        letters << QString(QLatin1Char(recallSectionLetter(s)));
    return letters.join(QStringLiteral(", "));
}

} // namespace vc
