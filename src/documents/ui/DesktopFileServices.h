#pragma once

#include "app/WindowLayer.h"

#include "documents/FileServices.h"

namespace vc {

// The desktop's side of the file actions: xdg-open, the file manager over
// D-Bus, the program's own open-with and properties dialogs; copying,
// deleting and free space as the file system does them. The window installs
// it.
class DesktopFileServices : public FileSystemServices {
public:
    OpenResult open(const QString& target) override;
    void openWith(const QString& path) override;
    bool showInFolder(const QString& path) override;
    void showProperties(const QString& path) override;
};

} // namespace vc
