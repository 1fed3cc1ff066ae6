#include "recall/ui/OptRecallWindow.h"

#include "language/InterfaceTexts.h"
#include "recall/RecallSections.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace vc {

TOptRecall1::TOptRecall1(RecallConditionSet& conditions, QWidget* parent)
    : ModalWindow(parent), m_conditions(conditions) {
    setObjectName(QStringLiteral("OptRecall1"));
    setModal(true);
    // Tall enough for the nine sections without a scroll bar.
    resize(475, 420);
    auto* layout = new QVBoxLayout(this);

    Panel9 = new QLabel(this);
    Panel9->setObjectName(QStringLiteral("Panel9"));
    Panel9->setAlignment(Qt::AlignCenter);
    Panel9->setFrameShape(QFrame::Panel);
    layout->addWidget(Panel9);
    TabsCheckListBox = new QListWidget(this);
    TabsCheckListBox->setObjectName(QStringLiteral("TabsCheckListBox"));
    layout->addWidget(TabsCheckListBox, 1);
    connect(TabsCheckListBox, &QListWidget::itemChanged, this,
            [this] { TabsCheckListBoxClickCheck(); });

    Panel7 = new QLabel(this);
    Panel7->setObjectName(QStringLiteral("Panel7"));
    Panel7->setAlignment(Qt::AlignCenter);
    Panel7->setFrameShape(QFrame::Panel);
    layout->addWidget(Panel7);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* dates = new QHBoxLayout(GroupBox1);
    Predicat1ComboBox = new QComboBox(GroupBox1);
    Predicat1ComboBox->setObjectName(QStringLiteral("Predicat1ComboBox"));
    DateTimePicker1 = new DatePicker(QStringLiteral("DateTimePicker1"), GroupBox1);
    DateTimePicker2 = new DatePicker(QStringLiteral("DateTimePicker2"), GroupBox1);
    dates->addWidget(Predicat1ComboBox);
    dates->addWidget(DateTimePicker1, 1);
    dates->addWidget(DateTimePicker2, 1);
    layout->addWidget(GroupBox1);

    Predicat2ComboBox = new QComboBox(this);
    Predicat2ComboBox->setObjectName(QStringLiteral("Predicat2ComboBox"));
    auto* joinRow = new QHBoxLayout;
    joinRow->addWidget(Predicat2ComboBox);
    joinRow->addStretch(1);
    layout->addLayout(joinRow);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* words = new QHBoxLayout(GroupBox2);
    Predicat3ComboBox = new QComboBox(GroupBox2);
    Predicat3ComboBox->setObjectName(QStringLiteral("Predicat3ComboBox"));
    WordsComboBox = new QComboBox(GroupBox2);
    WordsComboBox->setObjectName(QStringLiteral("WordsComboBox"));
    WordsComboBox->setEditable(true);
    // OK keeps the history; Enter must not add entries by itself.
    WordsComboBox->setInsertPolicy(QComboBox::NoInsert);
    words->addWidget(Predicat3ComboBox);
    words->addWidget(WordsComboBox, 1);
    layout->addWidget(GroupBox2);
    connect(WordsComboBox, &QComboBox::editTextChanged, this, [this] { UpdateOkButton(); });

    auto* buttons = new QHBoxLayout;
    CancelBitBtn = new QPushButton(this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    BitBtn3 = new QPushButton(this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    OKBitBtn = new QPushButton(this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setDefault(true);
    buttons->addWidget(CancelBitBtn);
    buttons->addWidget(BitBtn3);
    buttons->addStretch(1);
    buttons->addWidget(OKBitBtn);
    layout->addLayout(buttons);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { ClearForm(); });
    connect(OKBitBtn, &QPushButton::clicked, this, [this] { OKBitBtnClick(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ClearPicker = PopupMenu1->addAction(QString());
    ClearPicker->setObjectName(QStringLiteral("ClearPicker"));
    connect(ClearPicker, &QAction::triggered, this, [this] { ClearPickerClick(); });

    for (DatePicker* picker : {DateTimePicker1, DateTimePicker2}) {
        connect(picker, &DatePicker::calendarClosed, this,
                [this, picker] { DateTimePickerCloseUp(picker); });
        connect(picker, &DatePicker::keyPressed, this,
                [this, picker](int key) { DateTimePickerKeyDown(picker, key); });
        connect(picker, &DatePicker::menuOpening, this, [this, picker] { m_popupPicker = picker; });
        // A typed date counts as a picked one; an emptied field as Delete.
        connect(picker, &DatePicker::dateTyped, this,
                [this, picker] { DateTimePickerCloseUp(picker); });
        connect(picker, &DatePicker::typedEmpty, this,
                [this, picker] { DateTimePickerKeyDown(picker, Qt::Key_Delete); });
    }
    // The choices are filled anew in the current language at each showing:
    // each box follows the length of its texts.
    for (QComboBox* box : {Predicat1ComboBox, Predicat2ComboBox, Predicat3ComboBox})
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(PopupMenu1, &QMenu::aboutToHide, this, [this] {
        // The menu's own action runs after it hides; forget the picker later.
        QMetaObject::invokeMethod(
            this, [this] { m_popupPicker = nullptr; }, Qt::QueuedConnection);
    });
    applyInterfaceTexts();
}

void TOptRecall1::applyInterfaceTexts() {
    setWindowTitle(tx(TextRecallWindowCaption));
    Panel9->setText(tx(TextSections));
    Panel7->setText(tx(TextConditions));
    GroupBox1->setTitle(tx(TextLastAccessDate));
    GroupBox2->setTitle(tx(TextSomeField));
    CancelBitBtn->setText(tx(TextCancel));
    BitBtn3->setText(tx(TextClear));
    OKBitBtn->setText(tx(TextOk));
    ClearPicker->setText(tx(TextClearCalendar));
}

int TOptRecall1::execute() {
    m_activated = false;
    const int result = runModal();
    m_activated = false;
    return result;
}

void TOptRecall1::prepareForInput() {
    FormActivate();
}

void TOptRecall1::done(int result) {
    m_activated = false;
    ModalWindow::done(result);
}

void TOptRecall1::FormActivate() {
    if (m_activated)
        return;
    m_activated = true;
    applyInterfaceTexts();

    {
        const QSignalBlocker block(TabsCheckListBox);
        TabsCheckListBox->clear();
        for (int i = 0; i < kRecallSectionCount; ++i) {
            auto* item = new QListWidgetItem(recallSectionEntry(i), TabsCheckListBox);
            item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setCheckState(Qt::Checked);
        }
    }
    auto fill = [](QComboBox* box, int text1, quint8 code1, int text2, quint8 code2) {
        box->clear();
        box->addItem(tx(text1), code1);
        box->addItem(tx(text2), code2);
        box->setCurrentIndex(0);
    };
    fill(Predicat1ComboBox, TextWithinRange, kWithinRange, TextOutsideRange, kOutsideRange);
    fill(Predicat2ComboBox, TextAnd, 0, TextOr, 1);
    fill(Predicat3ComboBox, TextContains, kContains, TextNotContains, kNotContains);
    ClearForm();
    // Every section's name shows whole, in any language: the window widens
    // to the longest (up to most of the screen). Laid out only now that every
    // box is filled, so that the boxes size themselves to their texts.
    layout()->activate();
    const int listWidth = TabsCheckListBox->sizeHintForColumn(0) +
                          2 * TabsCheckListBox->frameWidth() +
                          TabsCheckListBox->verticalScrollBar()->sizeHint().width();
    const int wanted = width() - TabsCheckListBox->width() + listWidth;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        if (wanted > width())
            resize(std::min(wanted, screen->availableGeometry().width() * 9 / 10), height());
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TOptRecall1::emptyPicker(DatePicker* picker) {
    picker->setShowsDate(false);
    picker->Tag = 0;
    picker->setPopupMenu(nullptr);
}

void TOptRecall1::ClearForm() {
    for (DatePicker* picker : {DateTimePicker1, DateTimePicker2}) {
        emptyPicker(picker);
        picker->setDate(m_calendarStart.isValid() ? m_calendarStart : QDate::currentDate());
        picker->setToolTip(QString());
    }
    WordsComboBox->setEditText(QString());
    UpdateOkButton();
}

void TOptRecall1::DateTimePickerCloseUp(DatePicker* picker) {
    if (picker->Tag == 1)
        return;
    picker->setShowsDate(true);
    picker->Tag = 1;
    picker->setPopupMenu(PopupMenu1);
    UpdateOkButton();
}

void TOptRecall1::DateTimePickerKeyDown(DatePicker* picker, int key) {
    if (key == Qt::Key_Delete && picker->Tag != 0)
        emptyPicker(picker);
    UpdateOkButton();
}

void TOptRecall1::ClearPickerClick() {
    if (m_popupPicker)
        DateTimePickerKeyDown(m_popupPicker, Qt::Key_Delete);
    m_popupPicker = nullptr;
    UpdateOkButton();
}

void TOptRecall1::TabsCheckListBoxClickCheck() {
    UpdateOkButton();
}

bool TOptRecall1::sectionChecked(int section) const {
    const QListWidgetItem* item = TabsCheckListBox->item(section);
    return item && item->checkState() == Qt::Checked;
}

std::array<bool, kRecallSectionCount> TOptRecall1::checkedSections() const {
    std::array<bool, kRecallSectionCount> checked{};
    for (int i = 0; i < kRecallSectionCount; ++i)
        checked[size_t(i)] = sectionChecked(i);
    return checked;
}

void TOptRecall1::UpdateOkButton() {
    bool anySection = false;
    for (int i = 0; i < TabsCheckListBox->count(); ++i)
        anySection = anySection || sectionChecked(i);
    // A phrase of spaces counts as given.
    const bool anyCondition = DateTimePicker1->Tag == 1 || DateTimePicker2->Tag == 1 ||
                              !WordsComboBox->currentText().isEmpty();
    OKBitBtn->setEnabled(anySection && anyCondition);
}

quint8 TOptRecall1::selectedCode(const QComboBox* box) {
    return quint8(box->currentData().toUInt());
}

RecallChoice TOptRecall1::choice() const {
    RecallChoice c;
    c.dateGroupCaption = GroupBox1->title();
    c.phraseGroupCaption = GroupBox2->title();
    c.date1Set = DateTimePicker1->Tag == 1;
    c.date1 = DateTimePicker1->date();
    c.date2Set = DateTimePicker2->Tag == 1;
    c.date2 = DateTimePicker2->date();
    c.datePredicate = selectedCode(Predicat1ComboBox);
    c.datePredicateCaption = Predicat1ComboBox->currentText();
    c.join = selectedCode(Predicat2ComboBox);
    c.phrase = WordsComboBox->currentText();
    c.phrasePredicate = selectedCode(Predicat3ComboBox);
    c.phrasePredicateCaption = Predicat3ComboBox->currentText();
    return c;
}

void TOptRecall1::OKBitBtnClick() {
    if (!OKBitBtn->isEnabled())
        return;
    const QString phrase = WordsComboBox->currentText();
    if (!phrase.isEmpty() && WordsComboBox->findText(phrase, Qt::MatchFixedString) < 0) {
        WordsComboBox->insertItem(0, phrase);
        WordsComboBox->setEditText(phrase);
    }
    BuildRecallConditions();
    accept();
}

void TOptRecall1::BuildRecallConditions() {
    vc::BuildRecallConditions(choice(), m_conditions);
}

} // namespace vc
