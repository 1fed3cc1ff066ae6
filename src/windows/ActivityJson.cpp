#include "windows/ActivityJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vc {

namespace {

QJsonDocument parse(QByteArrayView json) {
    return QJsonDocument::fromJson(json.toByteArray());
}

} // namespace

ActivityApplication activityApplication(QByteArrayView appIdJson) {
    static const char* const kOrder[] = {"packageId", "x_exe_path", "windows_win32",
                                         "windows_universal"};
    const QJsonArray entries = parse(appIdJson).array();
    for (const char* wanted : kOrder) {
        for (const QJsonValue& value : entries) {
            const QJsonObject entry = value.toObject();
            const QString application = entry.value(QLatin1String("application")).toString();
            if (!application.isEmpty() &&
                entry.value(QLatin1String("platform")).toString() == QLatin1String(wanted))
                return {application, QLatin1String(wanted)};
        }
    }
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QString application = entry.value(QLatin1String("application")).toString();
        if (!application.isEmpty())
            return {application, entry.value(QLatin1String("platform")).toString()};
    }
    return {};
}

ActivityPayload activityPayload(QByteArrayView payloadJson) {
    ActivityPayload payload;
    const QJsonObject object = parse(payloadJson).object();
    payload.displayText = object.value(QLatin1String("displayText")).toString();
    payload.description = object.value(QLatin1String("description")).toString();
    payload.appDisplayName = object.value(QLatin1String("appDisplayName")).toString();
    payload.content = object.value(QLatin1String("contentUri")).toString();
    if (payload.content.isEmpty()) {
        const QString activation = object.value(QLatin1String("activationUri")).toString();
        if (activation.compare(QLatin1String("ms-shellactivity:"), Qt::CaseInsensitive) != 0)
            payload.content = activation;
    }
    const QJsonValue seconds = object.value(QLatin1String("activeDurationSeconds"));
    // A number beyond any duration (or not a number) is no duration.
    if (seconds.isDouble() && seconds.toDouble() >= 0 && seconds.toDouble() < 1e15)
        payload.activeSeconds = qint64(seconds.toDouble());
    return payload;
}

bool hasClipboardPayload(QByteArrayView payload) {
    const QByteArrayView trimmed = payload.trimmed();
    return !trimmed.isEmpty() && trimmed != QByteArrayView("[]");
}

} // namespace vc
