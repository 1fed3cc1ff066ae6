#include "app/QtChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>

namespace vc {

QString QtChooser::openFile(const QString& title, const QString& startFolder,
                            const QString& presetName, const QString& filter) {
    QFileDialog dialog(m_parent, title, startFolder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (!presetName.isEmpty())
        dialog.selectFile(presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtChooser::chooseFolder(const QString& title, const QString& startFolder) {
    return QFileDialog::getExistingDirectory(m_parent, title, startFolder);
}

QString QtChooser::saveFile(const QString& title, const QString& startFolder,
                            const QString& filter) {
    QFileDialog dialog(m_parent, title, startFolder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks about overwriting itself, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtChooser::saveFileAs(const QString& title, const QString& startFolder,
                              const QStringList& filters, int* chosen) {
    QFileDialog dialog(m_parent, title, startFolder);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(*chosen));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const int selected = int(filters.indexOf(dialog.selectedNameFilter()));
    if (selected >= 0)
        *chosen = selected;
    return dialog.selectedFiles().constFirst();
}

int QtChooser::chooseItem(const QString& title, const QString& prompt, const QStringList& items) {
    bool ok = false;
    const QString item = QInputDialog::getItem(m_parent, title, prompt, items, 0, false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}

} // namespace vc
