#include "language/LanguageFiles.h"
#include "language/InterfaceTexts.h"
#include "language/LanguageTestFiles.h"
#include "platform/CodePage.h"
#include "platform/QStringPrinting.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

class LanguageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        codePage = sourceCodePage();
        fillDefaultInterfaceTexts();
        count = interfaceTextCount();
    }
    void TearDown() override {
        fillDefaultInterfaceTexts();
        setSourceCodePage(codePage);
    }
    bool load(const QByteArray& bytes) {
        writeBytes(folder + "DEU.lang", bytes);
        return LoadInterfaceTexts(QStringLiteral("DEU.lang"), {folder});
    }

    QTemporaryDir dir;
    QString folder;
    QString codePage;
    int count = 0; // texts in the table: every loaded file keeps it
};

} // namespace

TEST_F(LanguageFiles, HundredLinesKeepTheRestEnglishWithOrWithoutFinalBreak) {
    for (const bool finalBreak : {true, false}) {
        ASSERT_TRUE(load(numberedLines(100, "\n", finalBreak)));
        ASSERT_EQ(interfaceTextCount(), count);
        for (int k = 0; k < 100; ++k)
            EXPECT_EQ(tx(k), QStringLiteral("Text %1").arg(k)) << k;
        for (int k = 100; k < count; ++k)
            EXPECT_EQ(tx(k), englishInterfaceText(k)) << k;
    }
    // A later load starts from English again: nothing of the longer file stays.
    ASSERT_TRUE(load(numberedLines(150, "\n", true)));
    ASSERT_TRUE(load(numberedLines(3, "\n", true)));
    EXPECT_EQ(tx(2), QStringLiteral("Text 2"));
    EXPECT_EQ(tx(3), englishInterfaceText(3));
}

TEST_F(LanguageFiles, CarriageReturnLineFeedAndEmptyLines) {
    QByteArray bytes = numberedLines(150, "\r\n", true);
    bytes.replace("\r\nText 19\r\n", "\r\n\r\n");
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(tx(18), QStringLiteral("Text 18"));
    EXPECT_TRUE(tx(19).isEmpty());
    EXPECT_EQ(tx(20), QStringLiteral("Text 20"));
    EXPECT_EQ(tx(149), QStringLiteral("Text 149"));
    for (int k = 0; k < count; ++k)
        EXPECT_FALSE(tx(k).contains(QLatin1Char('\r')) || tx(k).contains(QLatin1Char('\n'))) << k;
    // A last line ending in CR LF, then nothing.
    ASSERT_TRUE(load("Eins\r\nZwei\r\n"));
    EXPECT_EQ(tx(1), QStringLiteral("Zwei"));
    EXPECT_EQ(tx(2), englishInterfaceText(2));
}

TEST_F(LanguageFiles, LongLinesAreCutAndTheNextLineIsTheNextText) {
    // 5,000 characters: cut at 4,094, the next line is text 4.
    QByteArray bytes = "a\nb\nc\n" + QByteArray(5000, 'x') + "\r\nnext\n";
    // Longer than what is kept of a line at all, in two-byte UTF-8: the
    // cut falls inside the text and the file is still read as UTF-8.
    bytes += QString(20000, QChar(0x0436)).toUtf8() + "\nafter\n";
    bytes += QString(4094, QChar(0x0436)).toUtf8() + "\n";
    // Far longer (1 MiB without a line break) costs no more memory.
    bytes += QByteArray(1 << 20, 'y') + "\nlast\n";
    ASSERT_TRUE(load(bytes));
    EXPECT_EQ(tx(3), QString(kMaxLanguageLineLength, QLatin1Char('x')));
    EXPECT_EQ(tx(4), QStringLiteral("next"));
    EXPECT_EQ(tx(5), QString(kMaxLanguageLineLength, QChar(0x0436)));
    EXPECT_EQ(tx(6), QStringLiteral("after"));
    EXPECT_EQ(tx(7), QString(4094, QChar(0x0436)));
    EXPECT_EQ(tx(8), QString(kMaxLanguageLineLength, QLatin1Char('y')));
    EXPECT_EQ(tx(9), QStringLiteral("last"));
    EXPECT_EQ(tx(10), englishInterfaceText(10));
}

TEST_F(LanguageFiles, AnsiCodePageFileGivesTheSameTextsAsUtf8) {
    const QByteArray utf8 = readBytes(shippedLanguageFolder() + "RUS.lang");
    ASSERT_FALSE(utf8.isEmpty());
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1251")));
    const QByteArray ansi = encodeEvidence(QString::fromUtf8(utf8)).replace("\n", "\r\n");
    // Every character has its byte in 1251.
    ASSERT_EQ(ansi.count('?'), utf8.count('?'));
    ASSERT_NE(ansi, utf8);

    ASSERT_TRUE(load(utf8));
    QStringList fromUtf8;
    for (int k = 0; k < count; ++k)
        fromUtf8 << tx(k);
    ASSERT_TRUE(load(ansi));
    for (int k = 0; k < count; ++k)
        EXPECT_EQ(tx(k), fromUtf8.at(k)) << k;
    EXPECT_EQ(tx(19), QStringLiteral("Выход"));

    // The UTF-8 file does not depend on the chosen code page; the ANSI one
    // does.
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    ASSERT_TRUE(load(utf8));
    EXPECT_EQ(tx(19), QStringLiteral("Выход"));
    ASSERT_TRUE(load(ansi));
    EXPECT_NE(tx(19), QStringLiteral("Выход"));
}

TEST_F(LanguageFiles, ByteOrderMarkAndStrayBytes) {
    ASSERT_TRUE(load("\xEF\xBB\xBF"
                     "Vellacord\nAktivit\xC3\xA4t\n"));
    EXPECT_EQ(tx(0), QStringLiteral("Vellacord"));
    EXPECT_EQ(tx(1), QStringLiteral("Aktivität"));
    // One byte that is not UTF-8 makes the whole file a code-page file.
    ASSERT_TRUE(setSourceCodePage(QStringLiteral("windows-1252")));
    ASSERT_TRUE(load("Aktivit\xC3\xA4t\nAktivit\xE4t\n"));
    EXPECT_EQ(tx(0), QStringLiteral("AktivitÃ¤t"));
    EXPECT_EQ(tx(1), QStringLiteral("Aktivität"));
    // Bytes of anything at all: texts, no crash.
    QByteArray noise;
    for (int i = 0; i < 70000; ++i)
        noise += char((i * 7919) % 256);
    ASSERT_TRUE(load(noise));
    EXPECT_EQ(interfaceTextCount(), count);
}

TEST_F(LanguageFiles, MoreLinesThanTextsAndMissingFiles) {
    ASSERT_LT(count, 1000);
    ASSERT_TRUE(load(numberedLines(1000, "\n", true)));
    EXPECT_EQ(interfaceTextCount(), count);
    EXPECT_EQ(tx(count - 1), QStringLiteral("Text %1").arg(count - 1));
    EXPECT_TRUE(tx(count).isEmpty());

    // English, a missing file and a name reaching out of the folders: all
    // English; only "en" counts as loaded.
    EXPECT_TRUE(LoadInterfaceTexts(QStringLiteral("en"), {folder}));
    EXPECT_EQ(tx(149), englishInterfaceText(149));
    ASSERT_TRUE(load(numberedLines(150, "\n", true)));
    EXPECT_FALSE(LoadInterfaceTexts(QStringLiteral("FRA.lang"), {folder}));
    EXPECT_EQ(tx(5), englishInterfaceText(5));
    QTemporaryDir inner(folder + "innerXXXXXX");
    EXPECT_FALSE(LoadInterfaceTexts(QStringLiteral("../DEU.lang"), {inner.path() + '/'}));
    EXPECT_EQ(findLanguageFile(QStringLiteral("../DEU.lang"), {inner.path() + '/', folder}),
              folder + "DEU.lang");
    EXPECT_TRUE(findLanguageFile(QStringLiteral(".."), {inner.path() + '/'}).isEmpty());
    // A folder of that name is no language file.
    ASSERT_TRUE(QDir(folder).mkdir("RUS.lang"));
    EXPECT_FALSE(LoadInterfaceTexts(QStringLiteral("RUS.lang"), {folder}));
}

TEST(LanguageFolders, BesideTheProgramThenTheInstalledDataFolder) {
    EXPECT_EQ(languageFolders(QStringLiteral("/opt/vc/bin/")),
              QStringList({"/opt/vc/bin/", "/opt/vc/share/vellacord/lang/"}));
    EXPECT_EQ(languageFolders(QStringLiteral("/usr/bin")),
              QStringList({"/usr/bin/", "/usr/share/vellacord/lang/"}));
}

TEST(LanguageFileReader, ReadsFromAnyDevice) {
    QByteArray bytes = "one\r\ntwo\n\nfour";
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(readLanguageTexts(buffer, 150), QStringList({"one", "two", "", "four"}));
    buffer.seek(0);
    EXPECT_EQ(readLanguageTexts(buffer, 2), QStringList({"one", "two"}));
}
