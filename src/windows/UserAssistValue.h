#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace vc {

// One value of a UserAssist Count key, as docs/formats/userassist.md
// describes it: 16 bytes on Windows 2000 to Vista, 72 bytes on Windows 7
// and later. A value of another size is not read.
struct UserAssistValue {
    enum class Layout { Unknown, Short16, Long72 };
    Layout layout = Layout::Unknown;
    quint32 storedCount = 0; // the run count as stored
    // The run count: Windows 2000 to Vista start counting at 5, so the
    // stored number less 5 where it is 5 or more.
    quint32 runCount = 0;
    std::optional<quint32> focusCount;        // 72-byte values only
    std::optional<quint32> focusMilliseconds; // 72-byte values only
    quint64 lastRun = 0;                      // FILETIME; 0 when never recorded
};

UserAssistValue parseUserAssistValue(QByteArrayView data);

// Value names are ROT13-encoded: letters A-Z and a-z turned by 13, every
// other character kept.
QString rot13(const QString& text);

} // namespace vc
