#include "tables/ExportTarget.h"

#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
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

namespace {

// The path of a chosen name, after the overwrite question.
QString confirmedExportPath(const QString& chosen, const QString& extension);

} // namespace

QString chooseExportTarget(Chooser& chooser, const QString& startFolder, const QString& kind,
                           const QString& extension) {
    const QString chosen =
        chooser.saveFile(tx(TextSaveTo) + QLatin1Char(' ') + extension, startFolder,
                         kind + QLatin1Char(' ') + tx(TextFilesLower) + QStringLiteral(" (*") +
                             extension + QLatin1Char(')'));
    return confirmedExportPath(chosen, extension);
}

QString chooseTextExportTarget(Chooser& chooser, const QString& startFolder,
                               ExportEncoding* encoding) {
    const QString extension = QStringLiteral(".txt");
    const QStringList filters{tx(TextExportInCodePage).arg(sourceCodePage()) +
                                  QStringLiteral(" (*.txt)"),
                              tx(TextExportInUtf8) + QStringLiteral(" (*.txt)")};
    int chosen = *encoding == ExportEncoding::Utf8 ? 1 : 0;
    const QString path =
        confirmedExportPath(chooser.saveFileAs(tx(TextSaveTo) + QLatin1Char(' ') + extension,
                                               startFolder, filters, &chosen),
                            extension);
    if (!path.isEmpty())
        *encoding = chosen == 1 ? ExportEncoding::Utf8 : ExportEncoding::CodePage;
    return path;
}

QString chooseExportTargetAmong(Chooser& chooser, const QString& startFolder,
                                const QStringList& filters, const QStringList& extensions,
                                int* chosen) {
    const QString path = chooser.saveFileAs(tx(TextSaveTo), startFolder, filters, chosen);
    if (*chosen < 0 || *chosen >= extensions.size())
        *chosen = 0;
    return confirmedExportPath(path, extensions.value(*chosen));
}

namespace {

QString confirmedExportPath(const QString& chosen, const QString& extension) {
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

} // namespace

} // namespace vc
