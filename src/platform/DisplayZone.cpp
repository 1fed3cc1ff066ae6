#include "platform/DisplayZone.h"

#include "platform/LocalTime.h"
#include "platform/TimeText.h"

#include <QFileInfo>
#include <QTimeZone>

#include <cstdlib>
#include <ctime>
#include <optional>

namespace vc {

namespace {

struct ZoneState {
    DisplayZone zone = DisplayZone::Local;
    QString name;
    QString label;
    // While a machine's or a named zone is shown, TZ is set to it; the TZ it
    // replaced (unset: nullopt) comes back with UTC or local time.
    bool overriding = false;
    std::optional<QByteArray> replacedTz;
};

ZoneState& state() {
    static ZoneState s;
    return s;
}

void applyTz(const std::optional<QByteArray>& tz) {
    if (tz)
        ::setenv("TZ", tz->constData(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
    forgetLocalTimeZone();
}

// Back to the TZ the program found, where a zone of its own replaced it.
void restoreTz() {
    ZoneState& s = state();
    if (!s.overriding)
        return;
    applyTz(s.replacedTz);
    s.overriding = false;
}

bool knownZoneName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1String("..")))
        return false;
    if (name.startsWith(QLatin1Char('<')))
        return true; // a POSIX offset made by posixZoneOfBias
    // The C library reads the zone's file; without one it would show UTC
    // without a word.
    return QTimeZone(name.toUtf8()).isValid() &&
           QFileInfo(QStringLiteral("/usr/share/zoneinfo/") + name).isFile();
}

} // namespace

bool setDisplayZone(DisplayZone zone, const QString& name, const QString& label) {
    ZoneState& s = state();
    if ((zone == DisplayZone::Machine || zone == DisplayZone::Named) && !knownZoneName(name))
        return false;
    switch (zone) {
    case DisplayZone::Utc:
        restoreTz();
        setShowsUtc(true);
        break;
    case DisplayZone::Local:
        restoreTz();
        setShowsUtc(false);
        break;
    case DisplayZone::Machine:
    case DisplayZone::Named:
        if (!s.overriding) {
            const char* tz = std::getenv("TZ");
            s.replacedTz = tz ? std::optional<QByteArray>(QByteArray(tz)) : std::nullopt;
            s.overriding = true;
        }
        applyTz(name.toUtf8());
        setShowsUtc(false);
        break;
    }
    s.zone = zone;
    s.name = name;
    s.label = label;
    return true;
}

DisplayZone displayZone() {
    return state().zone;
}

QString displayZoneName() {
    const ZoneState& s = state();
    switch (s.zone) {
    case DisplayZone::Utc:
        return QStringLiteral("UTC");
    case DisplayZone::Local:
        return localTimeZoneName();
    case DisplayZone::Machine:
    case DisplayZone::Named:
        return s.label.isEmpty() ? s.name : s.label;
    }
    return QString();
}

QString posixZoneOfBias(int biasMinutes) {
    const int east = -biasMinutes;
    const int a = std::abs(east);
    const QChar nameSign = east < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const QChar posixSign = east < 0 ? QLatin1Char('+') : QLatin1Char('-');
    return QStringLiteral("<%1%2%3>%4%5:%6")
        .arg(nameSign)
        .arg(a / 60, 2, 10, QLatin1Char('0'))
        .arg(a % 60, 2, 10, QLatin1Char('0'))
        .arg(posixSign)
        .arg(a / 60)
        .arg(a % 60, 2, 10, QLatin1Char('0'));
}

} // namespace vc
