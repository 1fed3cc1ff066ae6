#include <QCoreApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

// One application object for the core suite: no window library is linked,
// so the core can be shown to work without one. Settings go to a test
// location, never to the examiner's own configuration.
int main(int argc, char** argv) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellacord"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
