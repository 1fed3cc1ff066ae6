#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// One application object for the core suite: no window library is linked,
// so the core can be shown to work without one. Settings go to a test
// location, never to the examiner's own configuration: a folder of this
// process's own, so that test programs run side by side (ctest -j) never
// read or write each other's settings.
int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellacord"));
    QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
