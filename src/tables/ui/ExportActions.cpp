// The two exports of the current table: XML spreadsheet and tab-delimited
// text.
#include "app/BusyCursor.h"
#include "app/WindowFrame.h"
#include "app/WindowSettings.h"
#include "language/InterfaceTexts.h"
#include "platform/Messages.h"
#include "tables/ExportTarget.h"
#include "tables/TabDelimitedWriter.h"
#include "tables/XmlSpreadsheetWriter.h"
#include "tables/ui/TableToolActions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

namespace vc {

namespace {

// Where the save dialog starts: the folder of the last export (the home
// folder before the first), with the tab's caption and today's date as the
// file name.
QString suggestedExportPath(const WindowFrame& form, const QString& extension) {
    QString folder = lastExportFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + exportFileSuggestion(form.currentTabCaption(), QDate::currentDate(), extension);
}

// The frame both exports share: ask for the file, create it, write it with
// the progress bar showing, and clean up on every path.
void exportCurrentTable(
    WindowFrame& form, const std::function<QString(const TableModel&)>& choosePath,
    const std::function<bool(const TableModel&, QIODevice&, const QString&, Progress*)>& write) {
    TableModel* table = form.UpdateTabState();
    if (!table || table->rows() == 0)
        return;
    const QString path = choosePath(*table);
    if (path.isEmpty())
        return;

    {
        BusyCursor busy;
        form.CreateProgressBar(true, 0, 100);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            form.DestroyProgressBar();
            showError(tx(TextExportNotWritten) + QStringLiteral(":\n") + path +
                      QStringLiteral("\n") + out.errorString());
            form.UpdateTabState();
            return;
        }
        const bool written = write(*table, out, path, form.progress()) && out.flush();
        const QString failure = out.errorString();
        out.close();
        form.DestroyProgressBar();
        if (!written)
            showError(tx(TextExportNotWritten) + QStringLiteral(":\n") + path +
                      QStringLiteral("\n") + failure);
        else
            rememberExportFolder(QFileInfo(path).absolutePath());
    }
    form.UpdateTabState();
}

} // namespace

void ExportCurrentTableToXml(WindowFrame& form) {
    exportCurrentTable(
        form,
        [&form](const TableModel&) {
            return chooseExportTarget(*form.chooser(),
                                      suggestedExportPath(form, QStringLiteral(".xml")),
                                      QStringLiteral("XML"), QStringLiteral(".xml"));
        },
        [&form](const TableModel& table, QIODevice& out, const QString& path, Progress* progress) {
            XmlSheetInfo info;
            info.sheetName = QFileInfo(path).fileName();
            const TableTab* t = form.tabOf(&table);
            info.title = xmlTitleText(form.frameWidget()->windowTitle(), form.currentTabCaption(),
                                      t ? t->conditions : QString());
            for (int c = 0; c < table.columns(); ++c)
                info.columnWidths.push_back(t ? t->view->columnWidth(c) : 0);
            return WriteXmlSpreadsheet(table, out, info, progress);
        });
}

void ExportCurrentTableToText(WindowFrame& form) {
    // The dialog offers the table's own encoding first.
    ExportEncoding encoding = ExportEncoding::CodePage;
    exportCurrentTable(
        form,
        [&form, &encoding](const TableModel& table) {
            encoding = naturalExportEncoding(table);
            return chooseTextExportTarget(
                *form.chooser(), suggestedExportPath(form, QStringLiteral(".txt")), &encoding);
        },
        [&encoding](const TableModel& table, QIODevice& out, const QString&, Progress* progress) {
            return WriteTabDelimited(table, out, QByteArrayLiteral("\r\n"), progress, encoding);
        });
}

} // namespace vc
