#include "tables/ExportTarget.h"

#include "language/InterfaceTexts.h"
#include "platform/Messages.h"

#include <QFile>
#include <QFileInfo>

namespace vc {

QString exportPathFor(const QString& chosen, const QString& extension) {
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen + extension;
}

QString exportFileSuggestion(const QString& tabCaption, const QDate& date,
                             const QString& extension) {
    QString name;
    for (const QChar c : tabCaption) {
        if (c.unicode() < 32 || QStringLiteral("\\/:*?\"<>|").contains(c))
            name += c == QLatin1Char(':') ? QStringLiteral(" -") : QStringLiteral("-");
        else
            name += c;
    }
    name = name.simplified();
    if (!name.isEmpty())
        name += QLatin1Char(' ');
    return name + date.toString(Qt::ISODate) + extension;
}

QString chooseExportTarget(Chooser& chooser, const QString& startFolder, const QString& kind,
                           const QString& extension) {
    const QString chosen =
        chooser.saveFile(tx(TextSaveTo) + QLatin1Char(' ') + extension, startFolder,
                         kind + QLatin1Char(' ') + tx(TextFilesLower) + QStringLiteral(" (*") +
                             extension + QLatin1Char(')'));
    if (chosen.isEmpty())
        return {};
    // The question concerns the file that would be replaced, so it is asked
    // after the extension is added: "report" must not silently replace an
    // existing "report.xml".
    const QString path = exportPathFor(chosen, extension);
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        if (messages().show(MessageKind::Warning, tx(TextOverwriteQuestion),
                            MessageButtons::OkCancel) != MessageAnswer::Ok)
            return {};
        if (info.isDir() || !QFile::remove(path)) {
            messages().show(MessageKind::Information,
                            tx(TextDeleteFailed) + QStringLiteral(":\n") + path,
                            MessageButtons::Ok);
            return {};
        }
    }
    return path;
}

} // namespace vc
