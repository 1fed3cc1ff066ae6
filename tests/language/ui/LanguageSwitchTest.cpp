// The Language menu of the real main window: built from the language files
// found beside the program, switching every window's texts at once, and
// remembered for the next start.
#include "app/MainWindow.h"
#include "language/InterfaceTexts.h"
#include "language/LanguageTestFiles.h"
#include "language/ui/LangiWindow.h"
#include "platform/QStringPrinting.h"
#include "platform/Registry.h"
#include "recall/ui/OptRecallWindow.h"
#include "support/PrivateSettings.h"
#include "support/RecordingMessages.h"
#include "tables/ui/GotoLineWindow.h"
#include "tables/ui/RadioGroup.h"
#include "tables/ui/SearchWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace vc;

namespace {

// A small window made later by another feature: it binds its texts through
// the main window's ApplyInterfaceTexts without the main window knowing it.
class LaterWindow : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;
    Q_INVOKABLE void applyInterfaceTexts() { setWindowTitle(tx(TextZoom)); }
};

// The English texts, one a line: a language file to edit line by line.
QByteArray englishLines() {
    QByteArray bytes;
    for (int k = 0; k < interfaceTextCount(); ++k)
        bytes += englishInterfaceText(k).toUtf8() + '\n';
    return bytes;
}

class LanguageSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // The program's folder is bin/ of a fresh prefix, so that the
        // installed data folder (share/vellacord/lang) is one of ours too.
        exeDir = dir.path() + QStringLiteral("/bin/");
        ASSERT_TRUE(QDir().mkpath(exeDir));
        saveChoice(QStringLiteral("en"));
        fillDefaultInterfaceTexts();
    }
    void TearDown() override {
        form.reset();
        saveChoice(QStringLiteral("en"));
        fillDefaultInterfaceTexts();
    }

    static void saveChoice(const QString& language) {
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                       language, QStringLiteral("write"));
    }
    static QString savedChoice() {
        return RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey,
                              QStringLiteral("Language"), QString(), QStringLiteral("read"));
    }
    void shipped(const char* name) {
        writeBytes(exeDir + QLatin1String(name),
                   readBytes(shippedLanguageFolder() + QLatin1String(name)));
    }

    // A main window as the program starts it, with the folder as its own.
    void start() {
        form = std::make_unique<TForm1>();
        form->program().ExeDir = exeDir;
        form->show();
        QApplication::processEvents();
    }
    QStringList topMenus() const {
        QStringList names;
        for (QAction* item : form->menuBar()->actions())
            names << (item->menu() ? item->menu()->objectName() : QString());
        return names;
    }
    QAction* entry(const QString& name) const {
        return form->language().LangItem ? form->language().LangItem->findChild<QAction*>(name)
                                         : nullptr;
    }

    PrivateSettings settings; // the saved language of this test only
    QTemporaryDir dir;
    QString exeDir;
    RecordingMessages messages;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(LanguageSwitch, NoLanguageFileMeansNoLanguageMenu) {
    writeBytes(exeDir + "notes.txt", "x\n");
    start();
    EXPECT_EQ(form->language().LangItem, nullptr);
    EXPECT_EQ(topMenus(), QStringList({"FileItem", "MyComputer1", "SearchItem", "InternetExplorer1",
                                       "Documents1", "Browsers1",
                                       QStringLiteral("Group%1_Menu").arg(int(TextWindowsTab)),
                                       "Export1Item", "View1Item", "Help1Item"}));
    EXPECT_EQ(form->actions().ActionExit->text(), "Exit");
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LanguageSwitch, MenuBeforeHelpWithEnglishAndASecondEnglish) {
    shipped("DEU.lang");
    writeBytes(exeDir + "ENU.lang", englishLines());
    writeBytes(exeDir + "XYZ.lang", "Vellacord\n"); // names no locale: no entry
    start();
    ASSERT_NE(form->language().LangItem, nullptr);
    EXPECT_EQ(topMenus(), QStringList({"FileItem", "MyComputer1", "SearchItem", "InternetExplorer1",
                                       "Documents1", "Browsers1",
                                       QStringLiteral("Group%1_Menu").arg(int(TextWindowsTab)),
                                       "Export1Item", "View1Item", "LangItem", "Help1Item"}));
    EXPECT_EQ(form->menuBar()->actions().at(9)->text(), "Language");
    QStringList captions;
    QStringList names;
    for (QAction* item : form->language().LangItem->actions()) {
        captions << item->text();
        names << item->objectName();
        EXPECT_TRUE(item->isCheckable());
    }
    EXPECT_EQ(captions, QStringList({"English (United States)", "German (Germany)",
                                     "English (United States) - 2"}));
    EXPECT_EQ(names, QStringList({"LangItem_ENU", "LangItem_DEU", "LangItem_ENU"}));
    // The saved "en" chose the built-in English.
    EXPECT_TRUE(form->language().LangItem->actions().at(0)->isChecked());
    EXPECT_EQ(savedChoice(), "en");
}

TEST_F(LanguageSwitch, ChoosingALanguageReachesEveryWindow) {
    shipped("DEU.lang");
    start();
    auto* later = new LaterWindow(form.get());
    QAction* german = entry("LangItem_DEU");
    ASSERT_NE(german, nullptr);
    german->trigger();
    EXPECT_TRUE(german->isChecked());
    EXPECT_FALSE(entry("LangItem_ENU")->isChecked());
    EXPECT_EQ(savedChoice(), "DEU");
    EXPECT_EQ(form->language().LanguageCode, "DEU");

    // The main window: caption, tabs, menus, actions, the file menu and
    // what used to be English only.
    EXPECT_EQ(tx(TextExit), "Beenden");
    EXPECT_EQ(form->windowTitle(), "\"Vellacord\"   " + form->program().MakerWebAddress);
    EXPECT_EQ(form->actions().ActionExit->text(), tx(TextExit));
    EXPECT_EQ(form->actions().ActionExit->toolTip(), tx(TextExitHint));
    EXPECT_EQ(form->widgets().PageControl1->tabText(0), tx(TextActivityTab));
    EXPECT_EQ(form->widgets().mainPageControl->tabText(3), tx(TextWindowsTab));
    EXPECT_EQ(form->widgets().mainPageControl->tabText(4), tx(TextToolsTab));
    EXPECT_EQ(form->menuBar()->actions().at(0)->text(), "&" + tx(TextFileMenu));
    EXPECT_EQ(form->menuBar()->actions().at(6)->text(), "&" + tx(TextWindowsTab));
    EXPECT_EQ(form->menuBar()->actions().at(9)->text(), tx(TextLanguage));
    EXPECT_EQ(form->actions().SearchAction_Find->text(), tx(TextFind) + "...");
    EXPECT_EQ(form->actions().HelpAction_About->text(), tx(TextAbout) + "...");
    EXPECT_EQ(form->actions().Helpyourself1->text(), tx(TextHelpYourself));
    EXPECT_EQ(form->actions().ActionOpenProfile->text(), tx(TextOpenProfile) + "...");
    EXPECT_EQ(form->actions().ActionOpenProfile->toolTip(), tx(TextOpenProfileHint));
    EXPECT_EQ(form->actions().filesPopUp_Open->text(), tx(TextOpen));
    EXPECT_EQ(form->actions().filesPopUp_CopyTo->text(), tx(TextCopyTo) + "...");
    EXPECT_EQ(form->tab(TabId::Activity).model->headerData(0, Qt::Horizontal).toString(),
              tx(TextUrlAddress));
    for (const int text : {TextOpenProfile, TextOpen, TextToolsTab, TextDirection, TextOrigin})
        EXPECT_NE(tx(text), englishInterfaceText(text)) << text;

    // The small windows it owns.
    EXPECT_EQ(form->search().Search1->windowTitle(), tx(TextFindTextCaption));
    EXPECT_EQ(form->search().Search1->DirectionRadioGroup->title(), tx(TextDirection));
    EXPECT_EQ(form->search().Search1->OriginRadioGroup->title(), tx(TextOrigin));
    EXPECT_EQ(form->search().Search1->DirectionRadioGroup->items(),
              QStringList({tx(TextForward), tx(TextBackward)}));
    EXPECT_EQ(form->search().GotoLine1->windowTitle(), tx(TextGoToLineCaption));
    EXPECT_EQ(form->recall().OptRecall1->windowTitle(), tx(TextRecallWindowCaption));
    EXPECT_EQ(form->recall().OptRecall1->OKBitBtn->text(), tx(TextOk));
    EXPECT_EQ(form->language().Langi1->windowTitle(), tx(TextAvailableLocales));
    EXPECT_EQ(form->language().Langi1->BitBtn1->text(), tx(TextCancel));
    EXPECT_EQ(later->windowTitle(), tx(TextZoom));

    // And back to English.
    entry("LangItem_ENU")->trigger();
    EXPECT_EQ(form->actions().ActionExit->text(), "Exit");
    EXPECT_EQ(form->search().Search1->OriginRadioGroup->title(), "Origin");
    EXPECT_EQ(later->windowTitle(), "Zoom");
    EXPECT_EQ(savedChoice(), "en");
}

TEST_F(LanguageSwitch, TheSavedLanguageComesBackAtTheNextStart) {
    shipped("RUS.lang");
    shipped("CSY.lang");
    start();
    entry("LangItem_RUS")->trigger();
    ASSERT_EQ(form->actions().ActionExit->text(), "Выход");
    form.reset();
    fillDefaultInterfaceTexts();

    start();
    EXPECT_TRUE(entry("LangItem_RUS")->isChecked());
    EXPECT_EQ(form->actions().ActionExit->text(), "Выход");
    EXPECT_EQ(form->search().Search1->windowTitle(), tx(TextFindTextCaption));
    EXPECT_NE(tx(TextFindTextCaption), englishInterfaceText(TextFindTextCaption));
    form.reset();

    // Its file went away: English, chosen and saved as such.
    ASSERT_TRUE(QFile::remove(exeDir + "RUS.lang"));
    fillDefaultInterfaceTexts();
    start();
    EXPECT_EQ(entry("LangItem_RUS"), nullptr);
    EXPECT_TRUE(entry("LangItem_ENU")->isChecked());
    EXPECT_EQ(form->actions().ActionExit->text(), "Exit");
    EXPECT_EQ(savedChoice(), "en");
}

TEST_F(LanguageSwitch, FilesOfTheInstalledDataFolderCountToo) {
    const QString installed = dir.path() + QStringLiteral("/share/vellacord/lang/");
    ASSERT_TRUE(QDir().mkpath(installed));
    writeBytes(installed + "deu.lang", readBytes(shippedLanguageFolder() + "DEU.lang"));
    saveChoice(QStringLiteral("DEU"));
    start();
    ASSERT_NE(entry("LangItem_deu"), nullptr);
    EXPECT_TRUE(entry("LangItem_deu")->isChecked());
    EXPECT_EQ(form->actions().ActionExit->text(), "Beenden");
}

TEST_F(LanguageSwitch, AnEmptyLineNineteenGivesAnEmptyExitCaption) {
    QList<QByteArray> lines = englishLines().split('\n');
    lines[TextExit] = "";
    lines[TextExitHint] = "Feierabend";
    writeBytes(exeDir + "DEU.lang", lines.join('\n'));
    saveChoice(QStringLiteral("DEU"));
    start();
    EXPECT_TRUE(entry("LangItem_DEU")->isChecked());
    EXPECT_TRUE(form->actions().ActionExit->text().isEmpty());
    EXPECT_EQ(form->actions().ActionExit->toolTip(), "Feierabend");
    EXPECT_EQ(form->actions().ActionOpenProfile->text(), "Open Windows Profile...");
}

// In every shipped language the main window's menus fit the window and
// the screen, and the small windows show their texts whole.
TEST_F(LanguageSwitch, NothingClippedInAnyShippedLanguage) {
    const QStringList files =
        QDir(shippedLanguageFolder()).entryList({QStringLiteral("*.lang")}, QDir::Files);
    ASSERT_GE(files.size(), 3);
    for (const QString& file : files)
        shipped(file.toLatin1().constData());
    start();
    const int screenWidth = form->screen()->availableGeometry().width();
    for (QAction* language : form->language().LangItem->actions()) {
        SCOPED_TRACE(language->statusTip().toStdString());
        language->trigger();
        QApplication::processEvents();
        // No menu is pushed into the menu bar's overflow, none is wider than
        // the screen.
        EXPECT_LE(form->menuBar()->sizeHint().width(), form->width());
        for (QAction* top : form->menuBar()->actions()) {
            QMenu* menu = top->menu();
            ASSERT_NE(menu, nullptr);
            EXPECT_LE(menu->sizeHint().width(), screenWidth) << top->text().toStdString();
        }
        EXPECT_LE(form->actions().files_PopupMenu->sizeHint().width(), screenWidth);

        // The conditions window widens to its longest section name.
        form->recall().OptRecall1->setModalHook([](ModalWindow& shown) {
            auto& w = static_cast<TOptRecall1&>(shown);
            w.show();
            QApplication::processEvents();
            EXPECT_LE(w.TabsCheckListBox->sizeHintForColumn(0),
                      w.TabsCheckListBox->viewport()->width());
            for (QPushButton* button : {w.OKBitBtn, w.CancelBitBtn, w.BitBtn3})
                EXPECT_GE(button->width(), button->sizeHint().width());
            // Each choice box shows its longest choice (text and drop arrow).
            for (QComboBox* box : {w.Predicat1ComboBox, w.Predicat2ComboBox, w.Predicat3ComboBox})
                for (int i = 0; i < box->count(); ++i)
                    EXPECT_GE(box->width(),
                              box->fontMetrics().horizontalAdvance(box->itemText(i)) + 20)
                        << box->itemText(i).toStdString();
            w.reject();
        });
        form->recall().OptRecall1->execute();

        // The find window's buttons, groups and labels.
        form->search().Search1->setModalHook([](ModalWindow& shown) {
            auto& w = static_cast<TSearch1&>(shown);
            w.show();
            QApplication::processEvents();
            for (QWidget* widget : std::initializer_list<QWidget*>{
                     w.BitBtn1, w.BitBtn2, w.CaseCheckBox, w.toFindLabel, w.Panel4})
                EXPECT_GE(widget->width(), widget->sizeHint().width())
                    << widget->objectName().toStdString();
            for (RadioGroup* group : {w.DirectionRadioGroup, w.OriginRadioGroup})
                EXPECT_GE(group->width(), group->minimumSizeHint().width());
            w.reject();
        });
        form->search().Search1->runModal();
    }
}

// How long a language switch takes (load the file, apply every window's
// texts) and how long the locale list window takes to make; shown, not
// asserted.
TEST_F(LanguageSwitch, DISABLED_SwitchAndLocaleListTimes) {
    for (const char* name : {"DEU.lang", "RUS.lang", "CSY.lang"})
        shipped(name);
    start();
    const QList<QAction*> entries = form->language().LangItem->actions();
    constexpr int kSwitches = 200;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kSwitches; ++i)
        entries.at(1 + i % (entries.size() - 1))->trigger();
    const double perSwitch = double(timer.nsecsElapsed()) / 1e6 / kSwitches;
    timer.restart();
    for (int i = 0; i < 20; ++i)
        TLangi1 window;
    const double perLocaleList = double(timer.nsecsElapsed()) / 1e6 / 20;
    std::printf("language switch (load + apply to every window): %.2f ms\n"
                "locale list window made and filled: %.2f ms\n",
                perSwitch, perLocaleList);
    EXPECT_FALSE(form->actions().ActionExit->text().isEmpty());
}

#include "LanguageSwitchTest.moc"
