#include "windows/UserAssistValue.h"

#include <QtEndian>

namespace vc {

namespace {

constexpr qsizetype kShortSize = 16;
constexpr qsizetype kLongSize = 72;
constexpr quint32 kShortCountStart = 5;

} // namespace

UserAssistValue parseUserAssistValue(QByteArrayView data) {
    UserAssistValue value;
    const char* bytes = data.data();
    if (data.size() == kShortSize) {
        value.layout = UserAssistValue::Layout::Short16;
        value.storedCount = qFromLittleEndian<quint32>(bytes + 4);
        value.runCount = value.storedCount >= kShortCountStart
                             ? value.storedCount - kShortCountStart
                             : value.storedCount;
        value.lastRun = qFromLittleEndian<quint64>(bytes + 8);
    } else if (data.size() == kLongSize) {
        value.layout = UserAssistValue::Layout::Long72;
        value.storedCount = qFromLittleEndian<quint32>(bytes + 4);
        value.runCount = value.storedCount;
        value.focusCount = qFromLittleEndian<quint32>(bytes + 8);
        value.focusMilliseconds = qFromLittleEndian<quint32>(bytes + 12);
        value.lastRun = qFromLittleEndian<quint64>(bytes + 60);
    }
    return value;
}

QString rot13(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(char16_t(u'a' + (u - u'a' + 13) % 26));
        else if (u >= u'A' && u <= u'Z')
            c = QChar(char16_t(u'A' + (u - u'A' + 13) % 26));
    }
    return out;
}

} // namespace vc
