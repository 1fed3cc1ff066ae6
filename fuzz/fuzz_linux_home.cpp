// The lists a Linux home keeps, each the fuzzer's bytes: the recently used
// files (GTK's bookmark file, KDE's entry, LibreOffice's registry), the
// shells' histories and a trash entry, read through the sources of the
// recent documents, Typed and searched and Deleted files tables.
#include "FuzzInput.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "tables/TableModel.h"
#include "thiscomputer/ThisComputer.h"

#include <cstdlib>

namespace {

struct Home {
    Home() {
        if (!dir.isValid())
            std::abort();
        const QString home = dir.path();
        for (const char* file :
             {".local/share/recently-used.xbel", ".local/share/RecentDocuments/a.desktop",
              ".config/libreoffice/4/user/registrymodifications.xcu", ".bash_history",
              ".zsh_history", ".local/share/fish/fish_history",
              ".local/share/Trash/info/a.trashinfo", ".local/share/Trash/directorysizes"}) {
            const QString path = home + QLatin1Char('/') + QLatin1String(file);
            QDir().mkpath(QFileInfo(path).absolutePath());
            if (::symlink(QFile::encodeName(input.path()).constData(),
                          QFile::encodeName(path).constData()) != 0)
                std::abort();
        }
        vc::ThisComputerPlaces places;
        places.currentHome = home;
        places.tempFolder = home + QStringLiteral("/no-temp");
        vc::setThisComputerPlaces(places);
        machine = vc::openThisComputer(places);
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
    std::unique_ptr<vc::Machine> machine;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Home home;
    home.input.set(data, size);
    for (const char* name : {"recent", "win-typed", "win-deleted"}) {
        const vc::SourceSpec& decl = vc::sourceAt(vc::sourceIndex(QString::fromLatin1(name)));
        const std::unique_ptr<vc::TableModel> table = vc::makeSourceTable(decl);
        for (const vc::UserProfile* user : vc::sourceUsers(decl, home.machine.get())) {
            vc::SourceInput input;
            input.machine = home.machine.get();
            input.user = user;
            vc::UserRows rows(*table, vc::userCell(user, decl.encoding), true,
                              vc::sourceHasUserColumn(decl));
            decl.load(input, vc::LoadContext(), rows);
        }
        // A line of input is at most one command, one bookmark, one entry.
        if (qsizetype(table->rows()) > qsizetype(size) + 8)
            std::abort();
    }
    return 0;
}
