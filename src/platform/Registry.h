#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace vc {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Reads or writes one string value. mode "read": the value of valueName under
// keyPath (the empty text when the key or value is missing). mode "write":
// only the program's own key Software\Ostravane\Vellacord\Sys is writable
// (kept in the settings store, never in the evidence); a write anywhere else
// is refused. Any other mode does nothing. Always returns a text.
//
// Reads answer the program's own key (the settings store) and Control
// Panel\International "sLanguage", which is the examiner's own locale as a
// three-letter Windows abbreviation; every other key gives the empty text:
// the evidence's hives are read through the profile and the machine that
// hold them. Key paths match without regard to letter case.
QString RegistryAccess(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& valueToWrite, const QString& mode);

// True when the key exists (the program's own key: when the settings store
// holds it).
bool RegistryKeyExists(RegistryRoot root, const QString& keyPath);

// The program's own key.
inline const QString kOwnSettingsKey = QStringLiteral("Software\\Ostravane\\Vellacord\\Sys");

// Keys of the user's hive that the folder lookups read.
inline const QString kShellFoldersKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
inline const QString kUserShellFoldersKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
inline const QString kInternationalKey = QStringLiteral("Control Panel\\International");

// The examiner's locale that "sLanguage" reports: the process locale unless
// one is set (nullopt goes back to the process locale).
QLocale examinerLocale();
void setExaminerLocale(const std::optional<QLocale>& locale);

} // namespace vc
