#pragma once

#include <QString>
#include <QStringList>

namespace vc {

// The file and folder dialogs, behind an interface so that tests can answer
// them. An empty result means the user cancelled.
class Chooser {
public:
    virtual ~Chooser() = default;
    // An existing file to open; filter in Qt's "Name (*.ext)" form.
    virtual QString openFile(const QString& title, const QString& startFolder,
                             const QString& presetName, const QString& filter) = 0;
    // A folder; the dialog may offer to create a typed one.
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
    // A file name to save to; the caller asks about overwriting. startFolder
    // may end in a file name, which the dialog then suggests.
    virtual QString saveFile(const QString& title, const QString& startFolder,
                             const QString& filter) = 0;
    // A file name to save to, with one of several filters: *chosen is the
    // filter shown first and, when a name is returned, the one the user
    // left selected.
    virtual QString saveFileAs(const QString& title, const QString& startFolder,
                               const QStringList& filters, int* chosen) = 0;
    // One of several items (the volumes of a disk image); its index, or -1
    // when the user cancels.
    virtual int chooseItem(const QString& title, const QString& prompt,
                           const QStringList& items) = 0;
};

// Answers every dialog with preset texts; used by tests and headless runs.
class ScriptedChooser : public Chooser {
public:
    QString fileAnswer;
    QString folderAnswer;
    QString saveAnswer;
    // The filter saveFileAs answers with; -1 keeps the one shown first.
    int filterAnswer = -1;
    // The item chooseItem answers with (-1: cancel), and the items offered.
    int itemAnswer = 0;
    QStringList lastItems;
    QStringList lastFilters;
    QString lastTitle;
    QString lastStartFolder;
    QString lastPresetName;
    QString lastFilter;
    int calls = 0;

    QString openFile(const QString& title, const QString& startFolder, const QString& presetName,
                     const QString& filter) override {
        remember(title, startFolder, presetName, filter);
        return fileAnswer;
    }
    QString chooseFolder(const QString& title, const QString& startFolder) override {
        remember(title, startFolder, QString(), QString());
        return folderAnswer;
    }
    QString saveFile(const QString& title, const QString& startFolder,
                     const QString& filter) override {
        remember(title, startFolder, QString(), filter);
        return saveAnswer;
    }
    QString saveFileAs(const QString& title, const QString& startFolder, const QStringList& filters,
                       int* chosen) override {
        remember(title, startFolder, QString(), filters.value(*chosen));
        lastFilters = filters;
        if (filterAnswer >= 0 && !saveAnswer.isEmpty())
            *chosen = filterAnswer;
        return saveAnswer;
    }

    int chooseItem(const QString& title, const QString& prompt, const QStringList& items) override {
        remember(title, QString(), prompt, QString());
        lastItems = items;
        return itemAnswer < items.size() ? itemAnswer : -1;
    }

private:
    void remember(const QString& title, const QString& start, const QString& preset,
                  const QString& filter) {
        lastTitle = title;
        lastStartFolder = start;
        lastPresetName = preset;
        lastFilter = filter;
        ++calls;
    }
};

} // namespace vc
