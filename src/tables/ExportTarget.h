#pragma once

#include "platform/Choosers.h"
#include "tables/ExportEncoding.h"

#include <QDate>
#include <QString>

namespace vc {

// The path an export goes to: the name chosen in the dialog with `extension`
// (".xml", ".txt") appended when it has none.
QString exportPathFor(const QString& chosen, const QString& extension);

// The file name an export dialog suggests: the tab's caption and the date
// ("Internet Explorer - Activity 2026-12-08.xml"); characters that Windows
// does not allow in a file name (":" among them) become "-".
QString exportFileSuggestion(const QString& tabCaption, const QDate& date,
                             const QString& extension);

// Asks where to export: the save dialog ("Save to .xml" and the like,
// starting in startFolder, which may end in a file name to suggest), then, when the file exists,
// whether to overwrite it, and deletes it. The empty text when the user cancelled, refused the
// overwrite or the old file could not be deleted (after saying so). The question is asked about the
// path the export will write.
QString chooseExportTarget(Chooser& chooser, const QString& startFolder, const QString& kind,
                           const QString& extension);

// The same for the tab-delimited export, whose dialog offers two filters:
// text in the source code page and text in UTF-8. *encoding is the one
// shown first and, when a path is returned, the one chosen.
QString chooseTextExportTarget(Chooser& chooser, const QString& startFolder,
                               ExportEncoding* encoding);

// The save dialog with several filters, each with the extension its files
// take: *chosen is the one shown first and, when a path is returned, the one
// chosen; the overwrite question as above.
QString chooseExportTargetAmong(Chooser& chooser, const QString& startFolder,
                                const QStringList& filters, const QStringList& extensions,
                                int* chosen);

} // namespace vc
