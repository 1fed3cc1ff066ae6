#pragma once

#include "app/WindowLayer.h"

#include <QDialog>
#include <QString>

class QComboBox;

namespace vc {

struct FileProperties;

// Lets the user choose or type the program that opens a file. The program
// line may carry arguments; the file's path is added as the last one.
class OpenWithDialog : public QDialog {
    Q_OBJECT
public:
    OpenWithDialog(const QString& path, QWidget* parent = nullptr);
    // The program line as the user left it.
    QString programLine() const;

private:
    void browse();
    QComboBox* m_program = nullptr;
};

// The program's own properties sheet of a file: name, path, size, type,
// times, permissions and the SHA-256 of its content.
class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    FilePropertiesDialog(const FileProperties& properties, QWidget* parent = nullptr);
};

// Runs a program line with path as its last argument, detached. False with
// *error when it cannot be started.
bool startProgramWith(const QString& programLine, const QString& path, QString* error);

} // namespace vc
