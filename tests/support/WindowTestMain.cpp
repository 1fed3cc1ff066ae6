#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

// One application object for the whole suite: the window tests need
// QApplication; the offscreen platform needs no display. Settings go to a
// test location, never to the examiner's own configuration.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostravane"));
    QApplication::setApplicationName(QStringLiteral("Vellacord"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
