// The "Recent Documents" and "Temporary files" actions through the real
// main window, on the bundled XP profile and on profiles made for a test.
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/OpenSaveMru.h"
#include "platform/HiveEditing.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PictureBox.h"
#include "support/EventLoop.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
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
    int rowOf(TableTab& t, int column, const QByteArray& text, int from = 0) {
        for (int r = from; r < t.model->rows(); ++r)
            if (t.model->cell(r, column) == text)
                return r;
        return -1;
    }
    // Selects a row and waits until its preview has been read.
    void select(TableTab& t, int row) {
        t.view->selectionModel()->setCurrentIndex(t.model->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        ASSERT_TRUE(processUntil([&] { return !PicturePending(t.pane->imageBox()); }));
    }
    QStringList memoLines(TableTab& t) {
        return t.pane->memo()->toPlainText().split(QLatin1Char('\n'));
    }
};

} // namespace

TEST_F(DocumentsWindow, RecentDocumentsListTheLinksThenTheMruLists) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->actions().docs_ActionRecent->trigger();

    EXPECT_EQ(window->currentTabId(), TabId::Recent);
    TableTab& t = recent();
    // Six links of the XP Recent folder (Desktop.ini is not listed), six
    // files of the Windows 7 style one, eleven MRU entries, then the newer
    // sources: six RecentDocs entries, seven + one jump-list entries.
    ASSERT_EQ(t.model->rows(), 37);
    EXPECT_EQ(t.countLabel->text(), QStringLiteral("Records: 37"));
    ASSERT_EQ(t.model->columns(), 26);
    EXPECT_EQ(t.model->caption(4), QStringLiteral("Link Address"));
    EXPECT_EQ(t.model->caption(5), QStringLiteral("Source"));
    EXPECT_EQ(t.model->caption(18), QStringLiteral("Note"));
    EXPECT_EQ(t.model->caption(21), QStringLiteral("Category"));
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
        EXPECT_EQ(t.model->cell(12 + i, 0), names[i]) << i;
    EXPECT_EQ(t.model->cell(12, 4),
              "C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc");
    EXPECT_EQ(t.model->cell(12, 5), "OpenSaveMRU\\*");
    EXPECT_FALSE(t.model->cell(12, 3).isEmpty()); // exists in the profile: has times
    EXPECT_EQ(t.model->cell(14, 4), "D:\\scans\\Invoice 0412.pdf");
    EXPECT_TRUE(t.model->cell(14, 3).isEmpty()); // not there: no times
    EXPECT_TRUE(t.model->cell(16, 2).isEmpty());
    EXPECT_EQ(t.model->cell(23, 5), "RecentDocs");

    // Row 0 is selected and names the current file; the load left no bar.
    EXPECT_EQ(t.view->selectionModel()->currentIndex().row(), 0);
    EXPECT_EQ(window->currentFileName(), t.model->cellText(0, 4));
    EXPECT_TRUE(window->progressBar().isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window->actions().ExportAction_Tab->isEnabled());
    for (const auto& m : messages.shown)
        EXPECT_NE(m.kind, MessageKind::Error) << qPrintable(m.text);

    // An MRU row's Windows path is placed in the profile for the file
    // actions and the preview: the document is there, so it is no erased
    // file, just no picture.
    select(t, 12);
    window->files_PopupMenuPopup();
    EXPECT_TRUE(window->actions().filesPopUp_CopyTo->isEnabled());
    EXPECT_EQ(window->actions().filesPopUp_CopyTo->statusTip(),
              sample() + QStringLiteral("/My Documents/letter to bank.doc"));
    EXPECT_EQ(t.pane->imageCaption()->text(), QStringLiteral("letter to bank.doc"));
    EXPECT_EQ(memoLines(t).mid(3, 2), (QStringList{QStringLiteral("Source: OpenSaveMRU\\*"),
                                                   QStringLiteral("MRU Position: 2")}));
    // A deleted one offers no file action (Open included), and its preview
    // says so.
    select(t, 14);
    window->files_PopupMenuPopup();
    EXPECT_FALSE(window->actions().filesPopUp_CopyTo->isEnabled());
    EXPECT_FALSE(window->actions().filesPopUp_Open->isEnabled());
    EXPECT_EQ(t.pane->imageCaption()->text(), QStringLiteral("File Erased"));

    // A shortcut of the Windows 7 style folder: its facts in the memo, one
    // line per trailing field that has a value; the link itself is the file.
    const int win7 = rowOf(t, 0, "letter to bank.doc", 6);
    ASSERT_GE(win7, 6);
    ASSERT_LT(win7, 12);
    select(t, win7);
    const QStringList memo = memoLines(t);
    EXPECT_EQ(memo[0], QStringLiteral("letter to bank.doc"));
    EXPECT_EQ(memo[2], t.model->cellText(win7, 4));
    const QStringList facts = memo.mid(3);
    EXPECT_EQ(facts.first(), QStringLiteral("Source: Recent folder"));
    for (const char* line :
         {"Target Path: C:\\Documents and Settings\\joe\\My Documents\\letter to bank.doc",
          "Volume Label: SYSTEM", "Machine ID: joe-pc",
          "Working Folder: C:\\Documents and Settings\\joe\\My Documents"})
        EXPECT_TRUE(facts.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(facts.join(QLatin1Char('\n')).contains(QStringLiteral("Note:")));
    for (int c = 5; c < t.model->columns(); ++c)
        if (!t.model->cell(win7, c).isEmpty()) {
            EXPECT_TRUE(facts.contains(t.model->caption(c) + QStringLiteral(": ") +
                                       t.model->cellText(win7, c)))
                << c;
        }
    EXPECT_EQ(window->currentFileName(), t.model->cellText(win7, 4));
    EXPECT_EQ(t.pane->imageCaption()->text(), QStringLiteral("letter to bank.doc.lnk"));

    // The custom jump list's task: its category in the memo, and no
    // recorded time (the list records none).
    select(t, 36);
    const QStringList task = memoLines(t);
    EXPECT_TRUE(task.contains(QStringLiteral("Category: Tasks"))) << qPrintable(task.join('|'));
    EXPECT_FALSE(task.join(QLatin1Char('\n')).contains(QStringLiteral("Recorded Time:")));
}

// A Windows 10 profile whose open/save list names a picture that lies in the
// profile: the row's Windows path is placed in the profile and previewed; a
// folder the dialogs last visited exists too, so it is not "File Erased".
TEST_F(DocumentsWindow, PicturesOfTheListsArePreviewedFromTheProfile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-win10.dat")),
                            dir.filePath(QStringLiteral("NTUSER.DAT"))));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Pictures")));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("Pictures/ash.png"))));
    ASSERT_TRUE(window->openProfile(dir.path()));
    window->actions().docs_ActionRecent->trigger();
    TableTab& t = recent();
    ASSERT_EQ(t.model->rows(), 11);

    const int png = rowOf(t, 5, "OpenSavePidlMRU\\png");
    ASSERT_GE(png, 0);
    const int ash = t.model->cell(png, 0) == "ash.png" ? png : png + 1;
    ASSERT_EQ(t.model->cell(ash, 4), "C:\\Users\\bperry\\Pictures\\ash.png");
    select(t, ash);
    // The file actions work on the file where it lies in the profile.
    EXPECT_EQ(window->currentFileName(), dir.filePath(QStringLiteral("Pictures/ash.png")));
    EXPECT_FALSE(t.pane->imageBox()->pixmap().isNull());
    EXPECT_EQ(t.pane->previewFile(), dir.filePath(QStringLiteral("Pictures/ash.png")));
    EXPECT_TRUE(t.pane->imageCaption()->text().isEmpty());
    // ash_0.png is not there.
    select(t, ash == png ? png + 1 : png);
    EXPECT_TRUE(t.pane->imageBox()->pixmap().isNull());
    EXPECT_EQ(t.pane->imageCaption()->text(), QStringLiteral("File Erased"));
    // LastVisitedPidlMRU: the program and the folder it last used.
    const int folder = rowOf(t, 5, "LastVisitedPidlMRU");
    ASSERT_GE(folder, 0);
    select(t, folder);
    EXPECT_EQ(t.pane->imageCaption()->text(), QStringLiteral("Pictures"));
    for (const auto& m : messages.shown)
        EXPECT_NE(m.kind, MessageKind::Error) << qPrintable(m.text);
}

TEST_F(DocumentsWindow, ANonTextMruValueEndsTheLoadAndKeepsTheOldRows) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->actions().docs_ActionRecent->trigger();
    ASSERT_EQ(recent().model->rows(), 37);

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
    window->actions().docs_ActionRecent->trigger();

    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("'b'")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("REG_DWORD")));
    EXPECT_EQ(recent().model->rows(), 37);
    EXPECT_EQ(recent().countLabel->text(), QStringLiteral("Records: 37"));
    EXPECT_TRUE(window->progressBar().isNull());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(DocumentsWindow, TemporaryFilesWalkTempThenWordThenExcel) {
    ASSERT_TRUE(window->openProfile(sample()));
    window->actions().docs_ActionTemp->trigger();

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
    // The real hive's own RecentDocs list removed: no recent document left.
    QFile::setPermissions(dir.path() + QStringLiteral("/NTUSER.DAT"),
                          QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(deleteHiveKey(
        dir.path() + QStringLiteral("/NTUSER.DAT"),
        QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Recent")));
    ASSERT_TRUE(window->openProfile(dir.path()));
    window->actions().docs_ActionRecent->trigger();
    EXPECT_EQ(recent().model->rows(), 0);
    EXPECT_EQ(recent().countLabel->text(), QStringLiteral("Records: 0"));
    EXPECT_FALSE(recent().view->selectionModel()->currentIndex().isValid());
    EXPECT_FALSE(window->actions().ExportAction_Tab->isEnabled());

    window->actions().docs_ActionTemp->trigger();
    EXPECT_EQ(temp().model->rows(), 0);
    EXPECT_EQ(temp().countLabel->text(), QStringLiteral("Files: 0"));
}
