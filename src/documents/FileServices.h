#pragma once

#include "platform/EvidenceOpen.h"

#include <QFile>
#include <QString>

#include <optional>

namespace vc {

// What asking the desktop to open a file or address came to.
enum class OpenResult {
    Opened,
    AccessDenied,     // the file is there but may not be read
    SharingViolation, // another program holds it (not reported on Linux)
    FileNotFound,     // its folder exists, the file does not
    PathNotFound,     // not even its folder exists
    NoProgram,        // nothing is associated with it
};

// The desktop and file-system services behind the file actions, so that
// tests can stand in for them and check every call. The program installs
// the desktop implementation.
class FileServices {
public:
    virtual ~FileServices() = default;
    // Opens a file or address with its associated program.
    virtual OpenResult open(const QString& target) = 0;
    // Lets the user choose or type a program and runs it with the file.
    virtual void openWith(const QString& path) = 0;
    // Shows the file in the file manager (or opens its folder); false when
    // nothing on this computer could show it.
    virtual bool showInFolder(const QString& path) = 0;
    // Shows the program's properties dialog of the file.
    virtual void showProperties(const QString& path) = 0;
    // Free bytes where folder lies; -1 when that cannot be known.
    virtual qint64 freeSpace(const QString& folder) = 0;
    // Copies source over destination so that destination is either the whole
    // copy or left as it was; false with *error on failure.
    virtual bool copyFile(const QString& source, const QString& destination, QString* error) = 0;
    // Deletes a file; false with *error on failure.
    virtual bool removeFile(const QString& path, QString* error) = 0;
};

// The process-wide services: those installed (the window installs the
// desktop's), else the file system's alone.
FileServices& fileServices();
// Installs services; nullptr goes back to the file system's. Returns the
// previous ones.
FileServices* setFileServices(FileServices* services);

// The file system's side of the services, without a desktop: copying,
// deleting and free space work; opening finds no program and the dialogs
// show nothing.
class FileSystemServices : public FileServices {
public:
    OpenResult open(const QString& target) override;
    void openWith(const QString&) override {}
    bool showInFolder(const QString&) override { return false; }
    void showProperties(const QString&) override {}
    qint64 freeSpace(const QString& folder) override;
    bool copyFile(const QString& source, const QString& destination, QString* error) override;
    bool removeFile(const QString& path, QString* error) override;
};

// Why a local path cannot be opened, or nullopt when it can be tried.
std::optional<OpenResult> localOpenProblem(const QString& path);

// True when target is an address (scheme "xxx:" other than a drive letter)
// rather than a path.
bool isAddress(const QString& target);

// Copies everything from one open file to another: by the kernel where the
// file systems allow (the data never passes through the program), else
// through a buffer. Both work on the raw handles, from where they stand.
bool copyContent(int from, int to, QString* error);

// Copies source to destination through a temporary file in the destination
// folder that replaces destination only once complete; the copy keeps the
// source's permissions and access and modification times. On any failure
// destination is as it was and *error says what failed.
bool copyFileWhole(const QString& source, const QString& destination, QString* error);

} // namespace vc
