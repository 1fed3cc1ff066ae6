#pragma once

#include "app/WindowLayer.h"

#include "language/LocaleList.h"
#include "tables/ui/ModalWindow.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace vc {

// The "Help yourself (localization)" window: how to make a language file,
// and the list of locales whose abbreviations name language files, with the
// user's own locale selected. Made once and kept; each showing rebuilds the
// instructions and selects the user's locale again, the sort order stays.
class TLangi1 : public ModalWindow {
    Q_OBJECT

public:
    explicit TLangi1(QWidget* parent = nullptr);

    Q_INVOKABLE void applyInterfaceTexts();
    // The maker's support address on the last instruction line.
    void setSupportAddress(const QString& address) { m_supportAddress = address; }
    // The user's locale abbreviation: Label1 reads text 122, ": " and it,
    // and its hint keeps it for the selection.
    void setUserLocale(const QString& abbreviation);

    // A click on a column heading: sorts by that column, ascending first,
    // reversed by a click on the same column again.
    void LocaleListViewColumnClick(int column);
    // The sort state: column, "|", "1" ascending or "0" descending; empty
    // before the first sort.
    QString sortHint() const { return m_sortHint; }
    // The rows in the order shown.
    const QList<LocaleRow>& rows() const { return m_rows; }

    QFrame* TitlePanel = nullptr;
    QListWidget* TitleListBox = nullptr;
    QTreeWidget* LocaleListView = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // Cancel

protected:
    void prepareForInput() override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void FormActivate();
    void showRows();
    void fitWidthToInstructions();

    QList<LocaleRow> m_rows;
    QString m_sortHint;
    QString m_supportAddress;
    bool m_activated = false;
};

} // namespace vc
