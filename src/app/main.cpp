// The one command for the window and the sub-commands. A sub-command runs
// headless on the core alone; the window's library (and with it QtGui and
// QtWidgets) is loaded only when the window is asked for.
#include "cli/Commands.h"

#include <QCoreApplication>
#include <QString>

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The folder the running executable lies in, with a trailing "/".
std::string executableFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "./";
    std::string folder(path, size_t(n));
    return folder.substr(0, folder.rfind('/') + 1);
}

// Loads a library of the program from beside the executable (the build
// tree) or from the installed library folder, and runs its entry.
int runFromLibrary(const char* libraryName, const char* entryName, const char* what, int argc,
                   char** argv) {
    const std::string folder = executableFolder();
    const std::string candidates[] = {
        folder + libraryName,
        folder + "../" VC_LIBRARY_DIR "/" + libraryName,
    };
    std::string failure;
    for (const std::string& candidate : candidates) {
        if (access(candidate.c_str(), F_OK) != 0)
            continue;
        void* library = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            failure = dlerror();
            continue;
        }
        using Entry = int (*)(int, char**);
        auto run = reinterpret_cast<Entry>(dlsym(library, entryName));
        if (!run) {
            failure = candidate + ": no entry " + entryName;
            continue;
        }
        return run(argc, argv);
    }
    if (failure.empty())
        failure = candidates[0] + ": not found";
    std::fprintf(stderr, "vellacord: cannot load the %s library %s\n", what, failure.c_str());
    return vc::kExitInput;
}

} // namespace

int main(int argc, char** argv) {
    // The disk image reader, started by the program itself as a process of
    // its own: its library (The Sleuth Kit and the image libraries) is mapped
    // only there.
    if (argc >= 2 && std::strcmp(argv[1], "image-server") == 0)
        return runFromLibrary(VC_IMAGE_LIBRARY, "vellacord_image_server_main", "disk image", argc,
                              argv);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!arguments.isEmpty() && vc::isHeadlessCommand(arguments.constFirst())) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setOrganizationName(QStringLiteral("Ostravane"));
        QCoreApplication::setApplicationName(QStringLiteral("Vellacord"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VELLACORD_VERSION));
        return vc::runHeadless(arguments);
    }
    // A command line the window cannot take is refused before any window
    // library is loaded: a misspelled sub-command or option, a missing value.
    QString error;
    if (!vc::checkWindowCommandLine(arguments, &error)) {
        std::fprintf(stderr, "vellacord: %s\n%s", qPrintable(error), qPrintable(vc::usageText()));
        return vc::kExitUsage;
    }
    if (!vc::hasDisplay()) {
        std::fprintf(stderr,
                     "vellacord: no display to open the window on (DISPLAY is not set); the "
                     "sub-commands run without one, see vellacord --help\n");
        return vc::kExitInput;
    }
    return runFromLibrary(VC_WINDOW_LIBRARY, "vellacord_window_main", "window", argc, argv);
}
