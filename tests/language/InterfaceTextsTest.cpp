#include "language/InterfaceTexts.h"

#include <gtest/gtest.h>

using namespace vc;

TEST(InterfaceTexts, DefaultsAreTheEnglishTable) {
    setInterfaceText(19, QStringLiteral("Beenden"));
    fillDefaultInterfaceTexts();
    // The first 150 texts, then the numbered blocks (at least up to the
    // recent documents of later Windows versions).
    ASSERT_GE(interfaceTextCount(), TextRecentSourcesDamaged + 1);
    // The texts added since follow, numbered after the first ones.
    EXPECT_EQ(tx(TextExportNotWritten), QStringLiteral("The export file cannot be written"));
    EXPECT_EQ(tx(TextProgramName), QStringLiteral("Vellacord"));
    EXPECT_EQ(tx(TextExit), QStringLiteral("Exit"));
    EXPECT_EQ(tx(TextCannotOpenIndexFile),
              QStringLiteral("Error! The index.dat file cannot be opened!"));
    EXPECT_EQ(tx(TextIndexNotFound),
              QStringLiteral("File index.dat not found. Please, search it manually"));
    EXPECT_EQ(tx(TextWorkFileError), QStringLiteral("Error when Opening Work File"));
    // Inner double quotes and the right single quotation mark survive.
    EXPECT_EQ(tx(TextLocalizeLine2),
              QStringLiteral("Find the file with \".lang\" extension inside program") +
                  QChar(0x2019) + QStringLiteral("s start folder"));
    EXPECT_EQ(tx(TextLocalizeLine6), QStringLiteral("New item will appear in main program") +
                                         QChar(0x2019) +
                                         QStringLiteral("s menu (on the \"Language\" menu)"));
    // The two recall hints are worded and not empty.
    EXPECT_FALSE(tx(TextWholeRecallHint).isEmpty());
    EXPECT_FALSE(tx(TextRecallWithConditionsHint).isEmpty());
    // Out of range gives the empty text, never a crash.
    EXPECT_TRUE(tx(interfaceTextCount()).isEmpty());
    EXPECT_TRUE(tx(-1).isEmpty());
    for (int n = 0; n < kBaseTextCount; ++n)
        EXPECT_FALSE(tx(n).isEmpty()) << n;
    // Every number of the recent-documents block has its text.
    for (int n = TextSource; n <= TextRecentSourcesDamaged; ++n)
        EXPECT_FALSE(tx(n).isEmpty()) << n;
    EXPECT_EQ(tx(TextRecentFolder), QStringLiteral("Recent folder"));
}

// The texts of the other browsers fill their block (190 to 249): each has
// its English text, and a language file's line replaces it like any other.
TEST(InterfaceTexts, OtherBrowsersBlock) {
    fillDefaultInterfaceTexts();
    ASSERT_GE(interfaceTextCount(), 250);
    for (int n = TextBrowsersTab; n <= TextDatabaseWithoutTable; ++n)
        EXPECT_FALSE(tx(n).isEmpty()) << n;
    EXPECT_EQ(TextBrowsersTab, 190);
    EXPECT_EQ(TextDatabaseWithoutTable, 249);
    EXPECT_EQ(tx(TextBrowsersTab), QStringLiteral("Chrome, Edge, Firefox"));
    EXPECT_EQ(tx(TextCookieEncrypted).arg(16), QStringLiteral("(encrypted, 16 bytes)"));
    setInterfaceText(TextDownloadsTab, QStringLiteral("T\u00e9l\u00e9chargements"));
    EXPECT_EQ(tx(TextDownloadsTab), QStringLiteral("T\u00e9l\u00e9chargements"));
    EXPECT_EQ(englishInterfaceText(TextDownloadsTab), QStringLiteral("Downloads"));
    fillDefaultInterfaceTexts();
}
