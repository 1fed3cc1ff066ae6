#include "language/InterfaceTexts.h"
#include "language/LanguageTestFiles.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace vc;

TEST(InterfaceTexts, DefaultsAreTheEnglishTable) {
    setInterfaceText(19, QStringLiteral("Beenden"));
    fillDefaultInterfaceTexts();
    // The first 150 texts, then the texts added since.
    ASSERT_GT(interfaceTextCount(), int(TextRecentSourcesDamaged));
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

// The texts of the other browsers: each has its English text, and a
// language file's line replaces it like any other.
TEST(InterfaceTexts, OtherBrowsersBlock) {
    fillDefaultInterfaceTexts();
    ASSERT_GT(interfaceTextCount(), int(TextDatabaseWithoutTable));
    for (int n = TextBrowsersTab; n <= TextDatabaseWithoutTable; ++n)
        EXPECT_FALSE(tx(n).isEmpty()) << n;
    EXPECT_EQ(tx(TextBrowsersTab), QStringLiteral("Chrome, Edge, Firefox"));
    EXPECT_EQ(tx(TextCookieEncrypted).arg(16), QStringLiteral("(encrypted, 16 bytes)"));
    setInterfaceText(TextDownloadsTab, QStringLiteral("T\u00e9l\u00e9chargements"));
    EXPECT_EQ(tx(TextDownloadsTab), QStringLiteral("T\u00e9l\u00e9chargements"));
    EXPECT_EQ(englishInterfaceText(TextDownloadsTab), QStringLiteral("Downloads"));
    fillDefaultInterfaceTexts();
}

// The names of TextIds.h, read from the file itself (an enum cannot be
// listed in C++): each name and each number is used once, the numbers run
// from 0 to the last text of the table without a gap, every number has its
// English text, and the text each name's comment quotes is the one the
// table holds for that number (a name moved to another number would quote
// the wrong text). A gap would leave a line of every language file without
// a text; a twin would show one text in the place of another.
TEST(InterfaceTexts, NumbersWithoutGapOrTwin) {
    const QByteArray header = readBytes(sourceTreePath(QStringLiteral("src/language/TextIds.h")));
    ASSERT_FALSE(header.isEmpty());
    static const QRegularExpression entry(
        QStringLiteral(R"re((Text\w+)\s*=\s*(\d+)\s*,\s*(?://\s*"((?:[^"\\]|\\.)*)")?)re"));
    fillDefaultInterfaceTexts();
    const int count = interfaceTextCount();
    QMap<int, QString> nameOf;
    QSet<QString> names;
    int quoted = 0;
    for (auto it = entry.globalMatch(QString::fromUtf8(header)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        const int number = m.captured(2).toInt();
        EXPECT_FALSE(names.contains(name)) << name.toStdString() << " is named twice";
        names.insert(name);
        EXPECT_FALSE(nameOf.contains(number))
            << "text " << number << " is both " << nameOf.value(number).toStdString() << " and "
            << name.toStdString();
        nameOf.insert(number, name);
        if (m.capturedStart(3) >= 0) {
            QString quote = m.captured(3);
            quote.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            quote.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            EXPECT_EQ(englishInterfaceText(number).toStdString(), quote.toStdString())
                << name.toStdString();
            ++quoted;
        }
    }
    ASSERT_FALSE(nameOf.isEmpty());
    EXPECT_EQ(nameOf.firstKey(), 0);
    EXPECT_EQ(nameOf.lastKey(), count - 1) << "the table and the names end apart";
    EXPECT_EQ(nameOf.size(), count);
    EXPECT_EQ(quoted, count) << "every name quotes its English text";
    for (int n = 0; n < count; ++n) {
        EXPECT_TRUE(nameOf.contains(n)) << "no name for text " << n;
        EXPECT_FALSE(englishInterfaceText(n).trimmed().isEmpty()) << "no English text " << n;
    }
    // The texts added since the first ones follow them directly.
    EXPECT_EQ(int(TextExportNotWritten), kBaseTextCount);
}
