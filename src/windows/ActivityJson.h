#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace vc {

// The application of an activity, from the AppId column's JSON: a list of
// {"application": ..., "platform": ...}, of which the first non-empty one
// of the platforms packageId, x_exe_path, windows_win32 and
// windows_universal is taken (in that order), else the first non-empty of
// any other platform.
struct ActivityApplication {
    QString application;
    QString platform;
};
ActivityApplication activityApplication(QByteArrayView appIdJson);

// What the Payload column's JSON says of an activity.
struct ActivityPayload {
    QString displayText;
    QString description;
    QString appDisplayName;
    // contentUri, else activationUri when it names more than the shell's
    // own "ms-shellactivity:".
    QString content;
    std::optional<qint64> activeSeconds; // activeDurationSeconds
};
ActivityPayload activityPayload(QByteArrayView payloadJson);

// True when a ClipboardPayload cell holds something (not empty, not "[]").
bool hasClipboardPayload(QByteArrayView payload);

} // namespace vc
