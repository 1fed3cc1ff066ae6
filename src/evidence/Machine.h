#pragma once

#include "evidence/UserProfile.h"
#include "platform/TimeValue.h"

#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <memory>
#include <optional>
#include <vector>

namespace vc {

class EvidenceFiles;
class Hive;

// The time zone a Windows machine ran in, as its SYSTEM hive says
// (Control\TimeZoneInformation).
struct MachineTimeZone {
    // The Windows name of the zone (TimeZoneKeyName, or StandardName where
    // that is missing); empty when the hive names none.
    QString windowsName;
    // The IANA zone that name maps to (CLDR's table); empty when none does.
    QString ianaId;
    // Minutes to add to the local time to get UTC (Bias), when stated.
    std::optional<int> biasMinutes;

    // True when the times of the machine can be converted: a zone or a bias.
    bool known() const { return !ianaId.isEmpty() || biasMinutes.has_value(); }
    // The zone to convert with (a fixed offset where only the bias is known);
    // invalid when unknown.
    QTimeZone zone() const;
    // How the zone is named to the user: "Europe/Prague (Central Europe
    // Standard Time)", "UTC+01:00 (Bias)"; empty when unknown.
    QString describe() const;
};

// Reads the zone from a SYSTEM hive; everything empty when it says nothing.
MachineTimeZone readMachineTimeZone(const Hive& system);
// The name of the current control set ("ControlSet001") of a SYSTEM hive.
QString currentControlSet(const Hive& system);

class Machine;

// An older state of a machine's volume (a volume shadow copy of a disk
// image): the volume as it was then, with the users it had.
struct MachineSnapshot {
    std::unique_ptr<Machine> machine;
    TimeValue created; // when the copy was made (FILETIME)
    int number = 0;    // 1 for the oldest
};

// What the user opened: a Windows volume with its users, or one profile
// folder (a machine of one user, with its volume when a parent folder holds
// one), or this computer. The machine has its hives (SOFTWARE, SYSTEM when
// present), its computer name and time zone, and its users. Everything is
// read through the machine's files; nothing is written.
class Machine {
public:
    enum class Kind { Profile, Volume, ThisComputer };

    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // A profile folder of this machine given alone (--profile DIR). False
    // with *error when the folder cannot be used; warnings (a hive that
    // cannot be read) go to messages().
    static std::unique_ptr<Machine> openProfile(const QString& folder, QString* error);
    // The root of a Windows volume (--volume DIR), read through files (this
    // machine's folders unless given; a disk image's volume passes its own
    // files and keeps them alive). wantedUsers, when not empty, keeps the
    // users whose folder name or SID is among them (letter case ignored).
    // False with *error when the root is not a folder or no user is found
    // (the error names the places looked in).
    static std::unique_ptr<Machine> openVolume(const QString& root, const QStringList& wantedUsers,
                                               QString* error,
                                               std::shared_ptr<const EvidenceFiles> files = {},
                                               const QString& description = QString());
    // The Linux computer the program runs on, named by its host name; its
    // users are the home folders given (thiscomputer/ThisComputer.h finds
    // them), those that are folders, in that order. Without homes only its
    // temporary folder is read.
    static std::unique_ptr<Machine> thisComputer(const QStringList& homes = {});

    Kind kind() const { return m_kind; }
    const EvidenceFiles& files() const { return *m_files; }
    // The volume's root folder; empty when the profile lies in none.
    QString root() const { return m_root; }
    Hive* softwareHive() const { return m_software.get(); }
    Hive* systemHive() const { return m_system.get(); }
    // The computer's name from the SYSTEM hive; empty when unknown.
    QString computerName() const { return m_computerName; }
    const MachineTimeZone& timeZone() const { return m_zone; }
    // How the evidence is named ("/mnt/win", "disk.E01, partition 2").
    QString description() const { return m_description; }

    const std::vector<std::unique_ptr<UserProfile>>& users() const { return m_users; }
    // What was said while opening (hives that cannot be read), one line each.
    const QStringList& messages() const { return m_messages; }

    // The machine as a title names it: the computer's name (or the folder)
    // and its users ("WIN10-PC, 2 users"); this computer as "This computer"
    // and its host name.
    QString title() const;

    // The older states of the volume read besides it, oldest first; their
    // rows are added to the tables where they differ from the live
    // volume's.
    const std::vector<MachineSnapshot>& snapshots() const { return m_snapshots; }
    void addSnapshot(std::unique_ptr<Machine> snapshot, const TimeValue& created);
    // Says something about the machine as it was opened (a partition or a
    // shadow copy that could not be read).
    void addMessage(const QString& message) { m_messages << message; }

private:
    Machine();
    void readHives();

    Kind m_kind = Kind::Profile;
    std::shared_ptr<const EvidenceFiles> m_ownFiles;
    const EvidenceFiles* m_files;
    QString m_root;
    QString m_description;
    std::unique_ptr<Hive> m_software;
    std::unique_ptr<Hive> m_system;
    QString m_computerName;
    MachineTimeZone m_zone;
    std::vector<std::unique_ptr<UserProfile>> m_users;
    QStringList m_messages;
    std::vector<MachineSnapshot> m_snapshots;
};

// Shows times in the machine's zone (setDisplayZone): false, and nothing
// changed, when its hives name none.
bool showTimesInZoneOf(const Machine& machine);

// A profile folder given alone lies in a volume when a parent folder holds
// Windows/System32/config/SOFTWARE: that parent, or empty.
QString findVolumeRootOf(const QString& profileFolder);

} // namespace vc
