// Start-up of the window: the splash window, the main window and the event
// loop. Loaded by the command only when the window is asked for.
#include "app/MainWindow.h"
#include "app/QtMessages.h"
#include "cli/Commands.h"
#include "documents/ui/DesktopFileServices.h"
#include "extras/ui/Pictures.h"
#include "extras/ui/SplashWindow.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "recall/ui/RecallActions.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

extern "C" __attribute__((visibility("default"))) int vellacord_window_main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vellacord"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLACORD_VERSION));
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    vc::CliOptions options;
    QString error;
    if (!vc::parseCommandLine(arguments, options, &error) ||
        !vc::applyDisplayOptions(options, &error)) {
        std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(error), qPrintable(vc::usageText()));
        return vc::kExitUsage;
    }
    QApplication::setWindowIcon(QIcon(vc::programIcon()));
    // The desktop entry's name, so that desktops group the windows under it.
    QGuiApplication::setDesktopFileName(QStringLiteral("vellacord"));
    vc::fillDefaultInterfaceTexts();
    vc::TSplash1 splash(vc::kMakerWebAddress);
    splash.showPainted();

    vc::DesktopFileServices desktop;
    vc::setFileServices(&desktop);
    // Boxes from the start: the main window's creation may have a failure
    // to show (the picture service not starting).
    vc::QtMessages startupBoxes(nullptr);
    vc::setMessageService(&startupBoxes);
    vc::TForm1 form;
    vc::QtMessages boxes(&form);
    vc::setMessageService(&boxes);
    // The evidence named on the command line: a disk image or a volume
    // (every user, or those --user names), this computer, else a profile
    // folder.
    const bool profileOpen =
        !options.image.isEmpty() ? form.openImage(options.image, options.users, options.snapshots,
                                                  options.partition.toInt())
        : !options.volume.isEmpty() ? form.openVolume(options.volume, options.users)
        : options.thisComputer      ? form.openThisComputer()
                               : !options.profile.isEmpty() && form.openProfile(options.profile);
    // "Full history" has no visible check box; --full sets it.
    form.widgets().ieH_CheckBox->setChecked(options.full);

    splash.stayFor(1000);
    splash.hide();
    splash.close();
    form.show();
    // A profile named on the command line is read whole as soon as the
    // window stands, with its progress bars in view.
    if (profileOpen)
        QTimer::singleShot(0, &form, [&form] { vc::RunOpeningRecall(form); });
    const int status = app.exec();
    vc::setMessageService(nullptr);
    vc::setFileServices(nullptr);
    return status;
}
