#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

namespace vc {

// A language file is plain text named after a Windows locale abbreviation
// ("DEU.lang"): line k (counted from 0) replaces interface text k. Lines end
// in LF or CR LF; an empty line gives an empty text; lines missing at the end
// leave the English texts in force. A file that is valid UTF-8 is read as
// UTF-8 (files written on Linux); any other is decoded with the chosen code
// page (files written on Windows in its ANSI code page).

// The longest text one line gives. A longer line is cut there and the rest
// of it skipped; the next line gives the next text.
constexpr int kMaxLanguageLineLength = 4094;

// The texts of a language file, at most maxTexts of them (the lines after
// those are not read). Memory stays bounded however long the lines are.
QStringList readLanguageTexts(QIODevice& device, int maxTexts);

// The folders searched for language files, in this order: the executable's
// own folder (the build tree), then the installed data folder.
QStringList languageFolders(const QString& exeDir);

// The path of fileName in the first of folders that holds it; the empty
// text when none does. Only the name part of fileName is used, so a
// language can never name a file outside those folders.
QString findLanguageFile(const QString& fileName, const QStringList& folders);

// Fills the interface text table with the English texts, then, unless
// language is "en", with the lines of the language file of that name (found
// in folders). False when the file cannot be found or read: the texts stay
// English.
bool LoadInterfaceTexts(const QString& language, const QStringList& folders);

} // namespace vc
