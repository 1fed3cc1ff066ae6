// The "Recent Documents" and "Temporary files" actions through the real
// main window, on the bundled XP profile and on profiles made for a test.
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/OpenSaveMru.h"
#include "preview/ui/DetailPane.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vc;

namespace {

class DocumentsWindow : public WindowFixture {
protected:
    TableTab& recent() { return window->tab(TabId::Recent); }
    TableTab& temp() { return window->tab(TabId::Temp); }
    QString sample() const {
        return QDir(samplesPath(QStringLiteral("profiles/xp"))).absolutePath();
    }
    int rowOf(TableTab& t, int column, const QByteArray& text) {
        for (int r = 0; r < t.model->rows(); ++r)
            if (t.model->cell(r, column) == text)
                return r;
        return -1;
    }
};

} // namespace

TEST_F(DocumentsWindow, RecentDocumentsListTheLinksThenTheMruLists) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->docs_ActionRecent->trigger();

    EXPECT_EQ(window->currentTabId(), TabId::Recent);
    TableTab& t = recent();
    // Six links (Desktop.ini is not listed), then eleven MRU entries.
    ASSERT_EQ(t.model->rows(), 17);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 17"));
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(t.model->cell(r, 1), ".lnk");
        EXPECT_TRUE(t.model->cell(r, 4).startsWith(QFile::encodeName(sample() + "/Recent/")));
    }
    const int link = rowOf(t, 0, "letter to bank.doc");
    ASSERT_GE(link, 0);
    ASSERT_LT(link, 6);
    EXPECT_EQ(t.model->cell(link, 4),
              QFile::encodeName(sample() + "/Recent/letter to bank.doc.lnk"));
    EXPECT_FALSE(t.model->cell(link, 3).isEmpty());

    // The MRU rows: subkeys "*", "doc", "jpg", "txt", "xls" in hive order,
    // values in hive order; the Windows path as stored.
    const QList<QByteArray> names{"letter to bank.doc", "Budget 2008.xls", "Invoice 0412.pdf",
                                  "letter to bank.doc", "old letter.doc",  "beach.jpg",
                                  "sunset.jpg",         "report.txt",      "passwords.txt",
                                  "notes.txt",          "Budget 2008.xls"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(t.model->cell(6 + i, 0), names[i]) << i;
    EXPECT_EQ(t.model->cell(6, 4),
              "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc");
    EXPECT_FALSE(t.model->cell(6, 3).isEmpty()); // exists in the profile: has times
    EXPECT_EQ(t.model->cell(8, 4), "D:\\scans\\Invoice 0412.pdf");
    EXPECT_TRUE(t.model->cell(8, 3).isEmpty()); // not there: no times
    EXPECT_TRUE(t.model->cell(10, 2).isEmpty());

    // Row 0 is selected and names the current file; the load left no bar.
    EXPECT_EQ(t.view->selectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(window->currentFileName(), t.model->cellText(0, 4));
    EXPECT_TRUE(window->ProgressBar.isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->ExportAction_Tab->isEnabled());
    for (const auto& m : messages.shown)
        EXPECT_NE(m.kind, MessageKind::Error) << qPrintable(m.text);

    // An MRU row's Windows path is placed in the profile for the file actions.
    t.view->selectionModel()->setCurrentIndex(
        t.model->index(6, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    window->files_PopupMenuPopup();
    EXPECT_TRUE(window->filesPopUp_CopyTo->isEnabled());
    EXPECT_EQ(window->filesPopUp_CopyTo->statusTip(),
              sample() + QStringLiteral("/My Documents/letter to bank.doc"));
    // A deleted one leaves only Open.
    t.view->selectionModel()->setCurrentIndex(
        t.model->index(8, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    window->files_PopupMenuPopup();
    EXPECT_FALSE(window->filesPopUp_CopyTo->isEnabled());
    EXPECT_TRUE(window->filesPopUp_Open->isEnabled());
}

TEST_F(DocumentsWindow, ANonTextMruValueEndsTheLoadAndKeepsTheOldRows) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->docs_ActionRecent->trigger();
    ASSERT_EQ(recent().model->rows(), 17);

    QTemporaryDir dir;
    QString error;
    ASSERT_TRUE(writeMruHive(testDataPath(QStringLiteral("ntuser-xp.dat")),
                             dir.path() + QStringLiteral("/NTUSER.DAT"), kOpenSaveMruKey,
                             {{QStringLiteral("doc"),
                               {textValue(QStringLiteral("a"), QStringLiteral("C:\\a.doc")),
                                {QStringLiteral("b"), 4, QByteArray(4, '\1')}}}},
                             &error))
        << qPrintable(error);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Recent")));
    ASSERT_TRUE(window->openProfile(dir.path()));
    messages.shown.clear();
    window->docs_ActionRecent->trigger();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("'b'")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("REG_DWORD")));
    EXPECT_EQ(recent().model->rows(), 17);
    EXPECT_EQ(recent().countLabel->text(), QStringLiteral("Records: 17"));
    EXPECT_TRUE(window->ProgressBar.isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DocumentsWindow, TemporaryFilesWalkTempThenWordThenExcel) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->docs_ActionTemp->trigger();

    EXPECT_EQ(window->currentTabId(), TabId::Temp);
    TableTab& t = temp();
    const QByteArray tempDir = QFile::encodeName(sample() + "/Local Settings/Temp/");
    const QByteArray word = QFile::encodeName(sample() + "/Application Data/Microsoft/Word/");
    const QByteArray excel = QFile::encodeName(sample() + "/Application Data/Microsoft/Excel/");
    // 8 temporary files (Desktop.ini skipped), 3 of Word, 2 of Excel (no .xlb).
    ASSERT_EQ(t.model->rows(), 13);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Files: 13"));
    int stage = 0;
    for (int r = 0; r < t.model->rows(); ++r) {
        const QByteArray path = t.model->cell(r, 4);
        const int at = path.startsWith(tempDir) ? 0 : path.startsWith(word) ? 1 : 2;
        if (at == 2) {
            EXPECT_TRUE(path.startsWith(excel)) << path.constData();
        }
        EXPECT_GE(at, stage) << "row " << r << " out of walk order: " << path.constData();
        stage = at;
        // Name cut 0: the whole name and its extension.
        EXPECT_EQ(path.mid(path.lastIndexOf('/') + 1), t.model->cell(r, 0));
    }
    EXPECT_EQ(rowOf(t, 0, "Excel11.xlb"), -1);
    EXPECT_EQ(rowOf(t, 0, "Desktop.ini"), -1);
    const int nested = rowOf(t, 0, "scan.inf");
    ASSERT_GE(nested, 0);
    EXPECT_EQ(t.model->cell(nested, 4), tempDir + "WZSE0.TMP/drivers/scan.inf");
    EXPECT_EQ(t.model->cell(rowOf(t, 0, "~WRL0003.tmp"), 1), ".tmp");
}

TEST_F(DocumentsWindow, AnEmptyProfileGivesEmptyTablesWithZeroCounts) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-xp.dat")),
                            dir.path() + QStringLiteral("/NTUSER.DAT")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Recent")));
    ASSERT_TRUE(window->openProfile(dir.path()));
    window->docs_ActionRecent->trigger();
    EXPECT_EQ(recent().model->rows(), 0);
    EXPECT_EQ(recent().countLabel->text(), QStringLiteral("Records: 0"));
    EXPECT_FALSE(recent().view->selectionModel()->currentIndex().isValid());
    EXPECT_FALSE(window->ExportAction_Tab->isEnabled());

    window->docs_ActionTemp->trigger();
    EXPECT_EQ(temp().model->rows(), 0);
    EXPECT_EQ(temp().countLabel->text(), QStringLiteral("Files: 0"));
}
