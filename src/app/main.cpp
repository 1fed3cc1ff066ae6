// Start-up: a sub-command runs headless; otherwise the splash window, the
// main window and the event loop.
#include "app/MainWindow.h"
#include "app/QtMessages.h"
#include "cli/Commands.h"
#include "extras/SplashWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QThread>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void nameApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellacord"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLACORD_VERSION));
}

int runWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    nameApplication();
    vc::CliOptions options;
    QString error;
    if (!vc::parseCommandLine(argumentsOf(argc, argv), options, &error) ||
        !vc::applyDisplayOptions(options, &error)) {
        std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(error), qPrintable(vc::usageText()));
        return vc::kExitUsage;
    }
    vc::fillDefaultInterfaceTexts();
    vc::TSplash1 splash(vc::kMakerWebAddress);
    splash.show();
    splash.repaint();
    QApplication::processEvents();

    vc::TForm1 form;
    vc::QtMessages boxes(&form);
    vc::setMessageService(&boxes);
    if (!options.profile.isEmpty())
        form.openProfile(options.profile);
    // "Full history" has no visible check box; --full sets it.
    form.ieH_CheckBox->setChecked(options.full);

    QThread::msleep(1000);
    splash.hide();
    splash.close();
    form.show();
    const int status = app.exec();
    vc::setMessageService(nullptr);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && vc::isHeadlessCommand(QString::fromLocal8Bit(argv[1]))) {
        QCoreApplication app(argc, argv);
        nameApplication();
        return vc::runHeadless(argumentsOf(argc, argv));
    }
    return runWindow(argc, argv);
}
