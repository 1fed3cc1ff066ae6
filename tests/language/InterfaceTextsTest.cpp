#include "language/InterfaceTexts.h"

#include <gtest/gtest.h>

using namespace vc;

TEST(InterfaceTexts, DefaultsAreTheEnglishTable) {
    setInterfaceText(19, QStringLiteral("Beenden"));
    fillDefaultInterfaceTexts();
    ASSERT_GE(interfaceTextCount(), kBaseTextCount);
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
}
