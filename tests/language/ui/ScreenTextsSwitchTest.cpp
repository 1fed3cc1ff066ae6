// A language switch after a whole recall: every label, pane and picture
// caption on screen reads as a fresh recall in that language writes it.
#include "TestData.h"
#include "app/ScreenTexts.h"
#include "language/InterfaceTexts.h"
#include "platform/QStringPrinting.h"
#include "preview/ui/DetailPane.h"
#include "preview/ui/PictureBox.h"
#include "support/WindowFixture.h"

#include <QMenu>

using namespace vc;

namespace {

using ScreenTextsSwitch = WindowFixture;

// Every text around the tables and in their panes, one a line.
QStringList screenTexts(TForm1& form) {
    WaitForPictureLoads();
    QApplication::processEvents();
    QStringList texts;
    for (int i = 0; i < kTableTabCount; ++i) {
        const TableTab& t = form.tab(TabId(i));
        texts << t.countLabel->text() << t.condLabel->text() << t.pane->filePanel()->text()
              << t.pane->filePanel()->toolTip() << t.pane->memo()->toPlainText();
        if (t.pane->imageCaption())
            texts << t.pane->imageCaption()->text();
    }
    texts << form.widgets().ieC_FilesLabel->text() << form.widgets().StatusPanel0->text();
    return texts;
}

// Two pane texts agree line by line; a line may differ only after its
// caption, where it shows a table cell that the loader wrote in the
// language of the load ("Source: Recent folder", "State: complete").
void expectSameTexts(const QStringList& shown, const QStringList& fresh, const char* what) {
    ASSERT_EQ(shown.size(), fresh.size());
    for (int k = 0; k < fresh.size(); ++k) {
        const QStringList a = shown[k].split(QLatin1Char('\n'));
        const QStringList b = fresh[k].split(QLatin1Char('\n'));
        ASSERT_EQ(a.size(), b.size()) << what << " " << k;
        for (int line = 0; line < a.size(); ++line) {
            if (a[line] == b[line])
                continue;
            const qsizetype colon = b[line].indexOf(QStringLiteral(": "));
            EXPECT_TRUE(colon > 0 && a[line].left(colon + 2) == b[line].left(colon + 2))
                << what << " " << k << ": " << qPrintable(a[line]) << " | " << qPrintable(b[line]);
        }
    }
}

} // namespace

TEST_F(ScreenTextsSwitch, EveryTextFollowsTheLanguageAfterAWholeRecall) {
    ASSERT_NE(window->language().LangItem, nullptr);
    ASSERT_TRUE(window->loadVolume(samplesPath(QStringLiteral("volumes/pc"))));
    const QList<QAction*> languages = window->language().LangItem->actions();
    ASSERT_GE(languages.size(), 4); // English and the three shipped files
    const QStringList english = screenTexts(*window);
    QStringList seenCounts;
    for (QAction* language : languages) {
        window->LangClick(language);
        const QStringList switched = screenTexts(*window);
        // What the recall itself writes in this language.
        window->actions().MyCompAction_Total->trigger();
        window->showTab(TabId::Activity);
        expectSameTexts(switched, screenTexts(*window), qPrintable(language->objectName()));
        const QString count = window->tab(TabId::Activity).countLabel->text();
        EXPECT_TRUE(count.startsWith(tx(TextRecords) + QStringLiteral(": "))) << qPrintable(count);
        seenCounts << count;
    }
    // The languages differ (German "Einträge", Russian, Czech), and English
    // again reads as at first.
    seenCounts.removeDuplicates();
    EXPECT_GE(seenCounts.size(), 4);
    window->LangClick(languages.first());
    expectSameTexts(screenTexts(*window), english, "English again");
}

TEST(ScreenTexts, PartsMadeOfInterfaceTextsAreWrittenAnew) {
    fillDefaultInterfaceTexts();
    QStringList before = interfaceTextsInUse();
    before[TextRecords] = QStringLiteral("Einträge");
    before[TextWarning] = QStringLiteral("Warnung");
    before[TextFileErased] = QStringLiteral("Datei gelöscht");
    before[TextCookieFiles] = QStringLiteral("Cookie-Dateien");
    EXPECT_EQ(retranslatedText(QStringLiteral("Einträge: 42"), before),
              QStringLiteral("Records: 42"));
    EXPECT_EQ(retranslatedText(QStringLiteral("Datei gelöscht"), before),
              QStringLiteral("File Erased"));
    // A warning after the count: both parts, the path left as it is.
    EXPECT_EQ(
        retranslatedText(QStringLiteral("Einträge: 3  Warnung: Cookie-Dateien: /a b"), before),
        QStringLiteral("Records: 3  Warning: Cookie Files: /a b"));
    // Only a whole text counts: "Einträgen" is no "Einträge".
    EXPECT_EQ(retranslatedText(QStringLiteral("Einträgen 5"), before),
              QStringLiteral("Einträgen 5"));
    EXPECT_EQ(retranslatedText(QStringLiteral("/home/x/Einträge: 1"), before),
              QStringLiteral("/home/x/Einträge: 1"));
}
