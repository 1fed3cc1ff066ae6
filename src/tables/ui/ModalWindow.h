#pragma once

#include "app/WindowLayer.h"

#include <QDialog>

#include <functional>

namespace vc {

// A small window shown modally by an action. The modal loop can be replaced
// by a hook that fills the controls and presses a button, so the action runs
// unchanged where nobody answers a dialog (tests).
class ModalWindow : public QDialog {
    Q_OBJECT

public:
    using Hook = std::function<void(ModalWindow& window)>;

    explicit ModalWindow(QWidget* parent = nullptr) : QDialog(parent) {}

    void setModalHook(Hook hook) { m_hook = std::move(hook); }
    // Shows the window modally; QDialog::Accepted when it was closed with OK.
    // With a hook installed the hook answers instead, and the window counts
    // as cancelled unless the hook accepted it.
    int runModal() {
        if (!m_hook)
            return exec();
        setResult(QDialog::Rejected);
        prepareForInput();
        m_hook(*this);
        return result();
    }

protected:
    // What the window does when it comes up (e.g. where the focus goes).
    virtual void prepareForInput() {}
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        prepareForInput();
    }

private:
    Hook m_hook;
};

} // namespace vc
