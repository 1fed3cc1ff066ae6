#include "recall/RecallSections.h"

#include "language/InterfaceTexts.h"

namespace vc {

namespace {

struct SectionInfo {
    int outerText;
    int tabText;
    char letter;
    const char* name;
};

const SectionInfo kSections[kRecallSectionCount] = {
    {1, 2, 'a', "activity"},
    {1, 5, 'h', "history"},
    {1, 6, 'c', "cookie"},
    {1, 7, 'l', "links"},
    {8, 9, 'r', "recent"},
    {8, 10, 't', "temp"},
    {TextBrowsersTab, TextHistoryTab, 'w', "web-history"},
    {TextBrowsersTab, TextDownloadsTab, 'd', "web-downloads"},
    {TextBrowsersTab, TextCookiesTab, 'k', "web-cookies"},
};

bool valid(int section) {
    return section >= 0 && section < kRecallSectionCount;
}

} // namespace

QString recallOuterCaption(int section) {
    return valid(section) ? tx(kSections[section].outerText) : QString();
}

QString recallSectionCaption(int section) {
    return valid(section) ? tx(kSections[section].tabText) : QString();
}

QString recallSectionEntry(int section) {
    return recallOuterCaption(section) + QStringLiteral(". ") + recallSectionCaption(section);
}

char recallSectionLetter(int section) {
    return valid(section) ? kSections[section].letter : '\0';
}

QString recallSectionName(int section) {
    return valid(section) ? QString::fromLatin1(kSections[section].name) : QString();
}

} // namespace vc
