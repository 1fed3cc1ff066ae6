#pragma once

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

// Points the program's settings at a fresh folder for the life of the
// object, then back at the suite's test location: a test's remembered
// language, window size, columns or folders never reach another test, nor
// another test program running beside it, nor the examiner's own settings.
class PrivateSettings {
public:
    PrivateSettings() { point(m_folder.path()); }
    ~PrivateSettings() {
        point(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    PrivateSettings(const PrivateSettings&) = delete;
    PrivateSettings& operator=(const PrivateSettings&) = delete;
    bool isValid() const { return m_folder.isValid(); }

private:
    static void point(const QString& folder) {
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, folder);
    }
    QTemporaryDir m_folder;
};
