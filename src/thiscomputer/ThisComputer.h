#pragma once

#include <QString>
#include <QStringList>

#include <memory>

namespace vc {

class Machine;

// Where this computer's users and volumes are looked for. The program's
// own run takes them from the system (ofThisProcess); tests point them at a
// tree made in their temporary folder.
struct ThisComputerPlaces {
    // The current user's home folder ($HOME, else the password database's).
    QString currentHome;
    // Folders whose sub-folders are further homes (/home), read only when
    // they may be listed (as root), and single further homes (/root).
    QStringList homeRoots;
    QStringList otherHomes;
    // The mount table whose volumes may hold a trash of their own
    // (/proc/self/mounts); empty: none.
    QString mountTable;
    // The user's number, which names a volume's trash (.Trash-1000).
    uint uid = 0;
    // The Linux temporary folder.
    QString tempFolder;

    // The system's places. VELLACORD_HOME_ROOTS (folders separated by ":",
    // none when empty) replaces /home and /root, VELLACORD_MOUNT_TABLE the
    // mount table, so that a run can be kept to one home.
    static ThisComputerPlaces ofThisProcess();
};

// The places the program's run uses: ofThisProcess() unless a test set
// others.
const ThisComputerPlaces& thisComputerPlaces();
void setThisComputerPlaces(const ThisComputerPlaces& places);
void resetThisComputerPlaces();

// The home folders of this computer the program may read: the current
// user's first, then those below the home roots and the other homes, by
// name, each once; a folder that cannot be listed is left out.
QStringList thisComputerHomes(const ThisComputerPlaces& places);

// This computer as a machine whose users are those homes.
std::unique_ptr<Machine> openThisComputer(const ThisComputerPlaces& places = thisComputerPlaces());

// The mount points of a mount table (/proc/self/mounts: "device point type
// options ..." with octal escapes such as "\040" for a space), in its order;
// the pseudo file systems (proc, sysfs, tmpfs of /run ...) are left out. At
// most kMaxMounts lines are read.
QStringList mountPointsOf(const QByteArray& table);
constexpr int kMaxMounts = 4096;

} // namespace vc
