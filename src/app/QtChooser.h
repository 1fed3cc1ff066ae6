#pragma once

#include "app/WindowLayer.h"

#include "platform/Choosers.h"

class QWidget;

namespace vc {

// The real file and folder dialogs.
class QtChooser : public Chooser {
public:
    explicit QtChooser(QWidget* parent) : m_parent(parent) {}
    QString openFile(const QString& title, const QString& startFolder, const QString& presetName,
                     const QString& filter) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    QString saveFile(const QString& title, const QString& startFolder,
                     const QString& filter) override;
    QString saveFileAs(const QString& title, const QString& startFolder, const QStringList& filters,
                       int* chosen) override;
    int chooseItem(const QString& title, const QString& prompt, const QStringList& items) override;

private:
    QWidget* m_parent;
};

} // namespace vc
