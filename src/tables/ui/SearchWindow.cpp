#include "tables/ui/SearchWindow.h"

#include "language/InterfaceTexts.h"
#include "tables/ui/DialogControls.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vc {

TSearch1::TSearch1(QWidget* parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("Search1"));
    setModal(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QString());

    toFindLabel = new QLabel(TabSheet1);
    toFindLabel->setObjectName(QStringLiteral("toFindLabel"));
    // The history is kept by the find itself, newest first, without repeats.
    FindComboBox = new HistoryComboBox(TabSheet1);
    FindComboBox->setObjectName(QStringLiteral("FindComboBox"));
    FindComboBox->setMinimumWidth(300);
    toFindLabel->setBuddy(FindComboBox);

    Panel4 = new QLabel(TabSheet1);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    ColumnsCheckListBox = new QListWidget(TabSheet1);
    ColumnsCheckListBox->setObjectName(QStringLiteral("ColumnsCheckListBox"));

    DirectionRadioGroup = new RadioGroup(QStringLiteral("DirectionRadioGroup"), TabSheet1);
    DirectionRadioGroup->setItems({QString(), QString()});
    DirectionRadioGroup->setItemIndex(Forward);
    OriginRadioGroup = new RadioGroup(QStringLiteral("OriginRadioGroup"), TabSheet1);
    OriginRadioGroup->setItems({QString(), QString()});
    OriginRadioGroup->setItemIndex(FromCursor);
    OptonsGroupBox = new QGroupBox(TabSheet1);
    OptonsGroupBox->setObjectName(QStringLiteral("OptonsGroupBox"));
    CaseCheckBox = new QCheckBox(OptonsGroupBox);
    CaseCheckBox->setObjectName(QStringLiteral("CaseCheckBox"));
    CaseCheckBox->setChecked(false);
    (new QVBoxLayout(OptonsGroupBox))->addWidget(CaseCheckBox);

    auto* page = new QVBoxLayout(TabSheet1);
    page->addWidget(toFindLabel);
    page->addWidget(FindComboBox);
    auto* middle = new QHBoxLayout;
    auto* columns = new QVBoxLayout;
    columns->addWidget(Panel4);
    columns->addWidget(ColumnsCheckListBox);
    middle->addLayout(columns, 1);
    auto* choices = new QVBoxLayout;
    choices->addWidget(DirectionRadioGroup);
    choices->addWidget(OriginRadioGroup);
    choices->addWidget(OptonsGroupBox);
    choices->addStretch(1);
    middle->addLayout(choices);
    page->addLayout(middle, 1);

    QHBoxLayout* buttons = makeOkCancelRow(this, BitBtn1, BitBtn2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    applyInterfaceTexts();
}

void TSearch1::applyInterfaceTexts() {
    setWindowTitle(tx(TextFindTextCaption));
    PageControl1->setTabText(PageControl1->indexOf(TabSheet1), tx(TextFindButton));
    toFindLabel->setText(tx(TextTextToFind) + QLatin1Char(':'));
    Panel4->setText(tx(TextColumnsForSearch) + QLatin1Char(':'));
    DirectionRadioGroup->setTitle(tx(TextDirection));
    DirectionRadioGroup->setItems({tx(TextForward), tx(TextBackward)});
    OriginRadioGroup->setTitle(tx(TextOrigin));
    OriginRadioGroup->setItems({tx(TextFromCursor), tx(TextEntireScope)});
    OptonsGroupBox->setTitle(tx(TextOptions));
    CaseCheckBox->setText(tx(TextCaseSensitive));
    BitBtn1->setText(tx(TextOk));
    BitBtn2->setText(tx(TextCancel));
}

void TSearch1::fillColumns(const QStringList& captions) {
    ColumnsCheckListBox->clear();
    for (const QString& caption : captions) {
        auto* item = new QListWidgetItem(caption, ColumnsCheckListBox);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

std::vector<bool> TSearch1::checkedColumns() const {
    std::vector<bool> checked(size_t(ColumnsCheckListBox->count()), false);
    for (int i = 0; i < ColumnsCheckListBox->count(); ++i)
        checked[size_t(i)] = ColumnsCheckListBox->item(i)->checkState() == Qt::Checked;
    return checked;
}

int TSearch1::checkedColumnCount() const {
    int count = 0;
    for (bool c : checkedColumns())
        count += c ? 1 : 0;
    return count;
}

void TSearch1::prepareForInput() {
    FindComboBox->setFocus();
}

} // namespace vc
