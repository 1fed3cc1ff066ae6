#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vc {

// One entry of the Language menu.
struct LanguageEntry {
    QString name;    // "LangItem_ENU" for English, else "LangItem_" + the file's base name
    QString hint;    // "en" for English, else the file name ("DEU.lang")
    QString caption; // the locale's display name; " - 2" appended for a file ENU.lang
    QString path;    // the language file; empty for English
};

// The entries of the Language menu from the "*.lang" files in folders:
// English first, then one entry per file whose base name is a locale
// abbreviation (letter case ignored), in the order of the folder listing. A
// base name met again (in a later folder, or in another letter case) is
// skipped. No entries at all when no folder holds a "*.lang" file: then
// there is no Language menu.
QList<LanguageEntry> languageMenuEntries(const QStringList& folders);

// The entry to select for the saved language code: the first file entry
// whose base name equals it (both upper-cased), else English (0).
int selectedLanguageEntry(const QList<LanguageEntry>& entries, const QString& languageCode);

// What the settings keep for a language: "en" for English, else the file
// name without its last extension ("DEU.lang" gives "DEU").
QString languageChoiceValue(const QString& language);

// Loads the entry's language into the interface text table and saves it as
// the choice (value "Language" of the program's own key). False when the
// file could not be read: the texts are English, the choice is still saved.
bool chooseLanguage(const LanguageEntry& entry, const QStringList& folders);

} // namespace vc
