#include "language/ui/LangiWindow.h"

#include "app/BusyCursor.h"
#include "language/InterfaceTexts.h"
#include "tables/ui/SortMarks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QScreen>
#include <QVBoxLayout>

namespace vc {

namespace {

const char* const kColumnCaptions[kLocaleColumnCount] = {"Ext", "ID", "LocaleID", "Name"};

} // namespace

TLangi1::TLangi1(QWidget* parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("Langi1"));
    setModal(true);

    TitlePanel = new QFrame(this);
    TitlePanel->setObjectName(QStringLiteral("TitlePanel"));
    TitleListBox = new QListWidget(TitlePanel);
    TitleListBox->setObjectName(QStringLiteral("TitleListBox"));
    TitleListBox->setSelectionMode(QAbstractItemView::NoSelection);
    TitleListBox->setFocusPolicy(Qt::NoFocus);
    TitleListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* title = new QVBoxLayout(TitlePanel);
    title->setContentsMargins(0, 0, 0, 0);
    title->addWidget(TitleListBox);

    LocaleListView = new QTreeWidget(this);
    LocaleListView->setObjectName(QStringLiteral("LocaleListView"));
    LocaleListView->setColumnCount(kLocaleColumnCount);
    QStringList captions;
    for (const char* caption : kColumnCaptions)
        captions << QLatin1String(caption);
    LocaleListView->setHeaderLabels(captions);
    LocaleListView->setRootIsDecorated(false);
    LocaleListView->setUniformRowHeights(true);
    LocaleListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    LocaleListView->setSelectionMode(QAbstractItemView::SingleSelection);
    LocaleListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LocaleListView->setSortingEnabled(false);
    LocaleListView->header()->setSectionsClickable(true);
    LocaleListView->header()->setStretchLastSection(true);
    connect(LocaleListView->header(), &QHeaderView::sectionClicked, this,
            &TLangi1::LocaleListViewColumnClick);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = new QLabel(Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    BitBtn1 = new QPushButton(Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout(Panel1);
    bottom->setContentsMargins(0, 0, 0, 0);
    bottom->addWidget(Label1, 1);
    bottom->addWidget(BitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TitlePanel);
    layout->addWidget(LocaleListView, 1);
    layout->addWidget(Panel1);

    FormCreate();
    applyInterfaceTexts();
    resize(620, 560);
}

void TLangi1::applyInterfaceTexts() {
    setWindowTitle(tx(TextAvailableLocales));
    BitBtn1->setText(tx(TextCancel));
}

void TLangi1::setUserLocale(const QString& abbreviation) {
    Label1->setText(tx(TextLocaleLanguage) + QStringLiteral(": ") + abbreviation);
    Label1->setToolTip(abbreviation);
}

void TLangi1::FormCreate() {
    m_rows = localeRows();
    showRows();
}

void TLangi1::showRows() {
    LocaleListView->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_rows.size());
    for (const LocaleRow& row : m_rows) {
        auto* item = new QTreeWidgetItem({row.ext, row.id, row.localeId, row.name});
        item->setTextAlignment(kLocaleDecimalId, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    LocaleListView->addTopLevelItems(items);
    for (int column = 0; column < kLocaleColumnCount; ++column)
        LocaleListView->resizeColumnToContents(column);
}

void TLangi1::FormActivate() {
    if (m_activated)
        return;
    m_activated = true;
    TitleListBox->clear();
    TitleListBox->addItems(localizationHelpLines(m_supportAddress));
    // All six lines show, none scrolled away.
    const int rowHeight = TitleListBox->sizeHintForRow(0);
    TitleListBox->setFixedHeight(rowHeight * TitleListBox->count() +
                                 2 * TitleListBox->frameWidth() + 4);
    fitWidthToInstructions();

    LocaleListView->setFocus();
    const int row = findLocaleRow(m_rows, Label1->toolTip());
    if (row < 0) {
        LocaleListView->clearSelection();
        LocaleListView->setCurrentItem(nullptr);
        return;
    }
    QTreeWidgetItem* item = LocaleListView->topLevelItem(row);
    LocaleListView->setCurrentItem(item);
    item->setSelected(true);
    LocaleListView->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void TLangi1::fitWidthToInstructions() {
    const int wanted = TitleListBox->sizeHintForColumn(0) + 2 * TitleListBox->frameWidth() +
                       layout()->contentsMargins().left() + layout()->contentsMargins().right() + 8;
    int limit = wanted;
    if (QScreen* screen = this->screen())
        limit = screen->availableGeometry().width() * 9 / 10;
    if (width() < wanted)
        resize(std::min(wanted, limit), height());
}

void TLangi1::prepareForInput() {
    FormActivate();
}

void TLangi1::hideEvent(QHideEvent* event) {
    m_activated = false;
    ModalWindow::hideEvent(event);
}

void TLangi1::LocaleListViewColumnClick(int column) {
    if (m_rows.isEmpty() || column < 0 || column >= kLocaleColumnCount)
        return;
    BusyCursor busy;
    const SortState state = nextSortState(readSortState(m_sortHint), column);
    QTreeWidgetItem* header = LocaleListView->headerItem();
    for (int c = 0; c < kLocaleColumnCount; ++c)
        header->setIcon(c, QIcon());
    header->setIcon(column, sortMarkImage(state.ascending ? 1 : 0).value<QIcon>());
    m_sortHint = sortStateHint(state);

    // The selected locale stays selected in its new place.
    const int currentRow = LocaleListView->indexOfTopLevelItem(LocaleListView->currentItem());
    const uint32_t selected = currentRow >= 0 ? m_rows.at(currentRow).lcid : 0;
    sortLocaleRows(m_rows, state);
    showRows();
    for (int i = 0; currentRow >= 0 && i < m_rows.size(); ++i)
        if (m_rows.at(i).lcid == selected) {
            QTreeWidgetItem* item = LocaleListView->topLevelItem(i);
            LocaleListView->setCurrentItem(item);
            LocaleListView->scrollToItem(item);
            break;
        }
}

} // namespace vc
