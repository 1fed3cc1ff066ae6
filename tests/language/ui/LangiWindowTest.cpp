#include "language/ui/LangiWindow.h"
#include "language/InterfaceTexts.h"
#include "language/LanguageFiles.h"
#include "language/LanguageTestFiles.h"
#include "language/ui/LanguageMenu.h"
#include "platform/QStringPrinting.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace vc;

namespace {

QString cell(const TLangi1& window, int row, int column) {
    return window.LocaleListView->topLevelItem(row)->text(column);
}

int rowWithId(const TLangi1& window, const QString& id) {
    for (int i = 0; i < window.LocaleListView->topLevelItemCount(); ++i)
        if (cell(window, i, kLocaleId) == id)
            return i;
    return -1;
}

// Shows the window the way the Help menu does and hands it to check while
// it is up.
void showModal(TLangi1& window, const std::function<void(TLangi1&)>& check) {
    window.setModalHook([&](ModalWindow& shown) {
        shown.show();
        QApplication::processEvents();
        check(static_cast<TLangi1&>(shown));
        shown.reject();
    });
    window.runModal();
}

} // namespace

TEST(LangiWindow, ListsTheLocalesAndSelectsTheUsersOwn) {
    fillDefaultInterfaceTexts();
    TLangi1 window;
    EXPECT_EQ(window.windowTitle(), "Available Locales");
    EXPECT_EQ(window.BitBtn1->text(), "Cancel");
    QStringList captions;
    for (int c = 0; c < 4; ++c)
        captions << window.LocaleListView->headerItem()->text(c);
    EXPECT_EQ(captions, QStringList({"Ext", "ID", "LocaleID", "Name"}));
    ASSERT_EQ(window.LocaleListView->topLevelItemCount(), window.rows().size());
    const int enu = rowWithId(window, "$00000409");
    ASSERT_GE(enu, 0);
    EXPECT_EQ(cell(window, enu, kLocaleExt), "ENU");
    EXPECT_EQ(cell(window, enu, kLocaleDecimalId), "1033");
    EXPECT_EQ(cell(window, enu, kLocaleName), "English (United States)");

    window.setSupportAddress("help@example.org");
    window.setUserLocale("deu");
    EXPECT_EQ(window.Label1->text(), "Locale language: deu");
    EXPECT_EQ(window.Label1->toolTip(), "deu");
    showModal(window, [](TLangi1& shown) {
        ASSERT_EQ(shown.TitleListBox->count(), 6);
        EXPECT_EQ(shown.TitleListBox->item(5)->text(),
                  "Please, do a favour and send your file to: help@example.org");
        const QList<QTreeWidgetItem*> selected = shown.LocaleListView->selectedItems();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected[0]->text(kLocaleExt), "DEU");
        EXPECT_EQ(shown.LocaleListView->currentItem(), selected[0]);
    });
    // The next showing selects again, and a locale the list lacks selects
    // nothing.
    window.setUserLocale("XYZ");
    showModal(window, [](TLangi1& shown) {
        EXPECT_TRUE(shown.LocaleListView->selectedItems().isEmpty());
        EXPECT_EQ(shown.TitleListBox->count(), 6);
    });
}

TEST(LangiWindow, ColumnClicksSortAndReverse) {
    fillDefaultInterfaceTexts();
    TLangi1 window;
    window.setUserLocale("RUS");
    showModal(window, [](TLangi1&) {});
    ASSERT_EQ(window.LocaleListView->selectedItems().size(), 1);
    EXPECT_TRUE(window.sortHint().isEmpty());
    QHeaderView* header = window.LocaleListView->header();

    // Name twice: ascending, then descending.
    Q_EMIT header->sectionClicked(kLocaleName);
    EXPECT_EQ(window.sortHint(), "3|1");
    const int count = window.LocaleListView->topLevelItemCount();
    for (int i = 1; i < count; ++i)
        EXPECT_LE(cell(window, i - 1, kLocaleName)
                      .compare(cell(window, i, kLocaleName), Qt::CaseInsensitive),
                  0);
    Q_EMIT header->sectionClicked(kLocaleName);
    EXPECT_EQ(window.sortHint(), "3|0");
    for (int i = 1; i < count; ++i)
        EXPECT_GE(cell(window, i - 1, kLocaleName)
                      .compare(cell(window, i, kLocaleName), Qt::CaseInsensitive),
                  0);
    EXPECT_FALSE(window.LocaleListView->headerItem()->icon(kLocaleName).isNull());

    // Then the ID: ascending by the number, not by the hexadecimal letters.
    Q_EMIT header->sectionClicked(kLocaleId);
    EXPECT_EQ(window.sortHint(), "1|1");
    for (int i = 1; i < count; ++i)
        EXPECT_LT(cell(window, i - 1, kLocaleDecimalId).toUInt(),
                  cell(window, i, kLocaleDecimalId).toUInt());
    EXPECT_LT(rowWithId(window, "$00000409"), rowWithId(window, "$00000C0A"));
    EXPECT_TRUE(window.LocaleListView->headerItem()->icon(kLocaleName).isNull());
    EXPECT_FALSE(window.LocaleListView->headerItem()->icon(kLocaleId).isNull());
    // The user's locale is still the current row, in its new place.
    ASSERT_NE(window.LocaleListView->currentItem(), nullptr);
    EXPECT_EQ(window.LocaleListView->currentItem()->text(kLocaleExt), "RUS");

    // The decimal column sorts the same way; the order stays for the next
    // showing.
    Q_EMIT header->sectionClicked(kLocaleDecimalId);
    EXPECT_EQ(window.sortHint(), "2|1");
    showModal(window, [](TLangi1&) {});
    EXPECT_EQ(window.sortHint(), "2|1");
    EXPECT_EQ(cell(window, 0, kLocaleId), "$00000401");
}

// In the longest translations every caption still shows whole.
TEST(LangiWindow, NothingClippedInGermanOrRussian) {
    for (const char* file : {"DEU.lang", "RUS.lang", "CSY.lang"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadInterfaceTexts(QLatin1String(file), {shippedLanguageFolder()}));
        TLangi1 window;
        window.setSupportAddress("support@ostravane.example");
        window.setUserLocale("DEU");
        showModal(window, [](TLangi1& shown) {
            EXPECT_GE(shown.BitBtn1->width(), shown.BitBtn1->sizeHint().width());
            EXPECT_GE(shown.Label1->width(), shown.Label1->sizeHint().width());
            const QListWidget* box = shown.TitleListBox;
            EXPECT_GE(box->viewport()->width(), box->sizeHintForColumn(0));
            EXPECT_GE(box->viewport()->height(), box->sizeHintForRow(0) * box->count());
        });
    }
    fillDefaultInterfaceTexts();
}

TEST(LanguageMenu, InsertedAtItsPositionWithRadioEntries) {
    fillDefaultInterfaceTexts();
    QMenuBar bar;
    for (const char* name : {"FileItem", "MyComputer1", "SearchItem", "InternetExplorer1",
                             "Documents1", "Export1Item", "Help1Item"})
        bar.addMenu(QLatin1String(name))->setObjectName(QLatin1String(name));
    QList<QAction*> clicked;
    const auto langClick = [&](QAction* entry) { clicked << entry; };
    EXPECT_EQ(buildLanguageMenu(&bar, 6, {}, langClick), nullptr);
    EXPECT_EQ(bar.actions().size(), 7);

    const QList<LanguageEntry> entries = {
        {"LangItem_ENU", "en", "English (United States)", ""},
        {"LangItem_DEU", "DEU.lang", "German (Germany)", "/x/DEU.lang"},
        {"LangItem_RUS", "RUS.lang", "Russian (Russia)", "/x/RUS.lang"}};
    QMenu* menu = buildLanguageMenu(&bar, 6, entries, langClick);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(bar.actions().size(), 8);
    EXPECT_EQ(bar.actions()[6]->menu(), menu);
    EXPECT_EQ(bar.actions()[7]->menu()->objectName(), "Help1Item");
    EXPECT_EQ(menu->objectName(), "LangItem");
    EXPECT_EQ(menu->title(), "Language");
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items[i]->objectName(), entries[i].name);
        EXPECT_EQ(items[i]->text(), entries[i].caption);
        EXPECT_EQ(items[i]->statusTip(), entries[i].hint);
        EXPECT_EQ(items[i]->data().toInt(), i);
        EXPECT_TRUE(items[i]->isCheckable());
    }
    items[2]->trigger();
    items[1]->trigger();
    ASSERT_EQ(clicked.size(), 2);
    EXPECT_EQ(clicked[0], items[2]);
    EXPECT_EQ(clicked[1], items[1]);
    // One radio group: choosing one clears the others.
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_FALSE(items[2]->isChecked());

    // A bar with fewer menus gets it at the end.
    QMenuBar small;
    small.addMenu("File");
    buildLanguageMenu(&small, 6, entries, langClick);
    EXPECT_EQ(small.actions().last()->menu()->objectName(), "LangItem");
}
