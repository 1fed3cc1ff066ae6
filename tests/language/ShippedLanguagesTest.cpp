#include "language/InterfaceTexts.h"
#include "language/LanguageFiles.h"
#include "language/LanguageTestFiles.h"
#include "language/LocaleList.h"
#include "platform/QStringPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace vc;

// Every shipped language file has a line for every text number of the
// table, in number order (line k is text k), in UTF-8: a translation for
// every text the table has, and an empty line for a number no block uses
// yet. A text added to the table without its line in every file would show
// as an empty caption in that language (an empty line is an empty text), or
// shift every later text by one.
TEST(ShippedLanguages, ALineForEveryTextInNumberOrder) {
    const QString folder = shippedLanguageFolder();
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.lang")}, QDir::Files);
    for (const char* name : {"CSY.lang", "DEU.lang", "RUS.lang"})
        EXPECT_TRUE(files.contains(QLatin1String(name))) << name;
    fillDefaultInterfaceTexts();
    const int count = interfaceTextCount();
    ASSERT_GT(count, kBaseTextCount);
    for (const QString& file : files) {
        const QString name = QFileInfo(file).completeBaseName();
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = readBytes(folder + file);
        ASSERT_FALSE(bytes.isEmpty());
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(bytes);
        EXPECT_FALSE(utf8.hasError());
        EXPECT_FALSE(text.contains(QLatin1Char('\r')));
        ASSERT_TRUE(text.endsWith(QLatin1Char('\n')));
        const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), count);

        ASSERT_TRUE(LoadInterfaceTexts(file, {folder}));
        int translated = 0;
        for (int k = 0; k < count; ++k) {
            EXPECT_EQ(tx(k), lines.at(k)) << k;
            // Empty exactly where the table has no text.
            EXPECT_EQ(tx(k).isEmpty(), englishInterfaceText(k).isEmpty())
                << "text " << k << ": " << englishInterfaceText(k).toStdString();
            EXPECT_EQ(tx(k), tx(k).trimmed()) << k;
            if (!tx(k).isEmpty() && tx(k) != englishInterfaceText(k))
                ++translated;
        }
        EXPECT_GT(translated, 130);
        EXPECT_EQ(tx(TextProgramName), QStringLiteral("Vellacord"));
        EXPECT_TRUE(tx(TextLocalizeLine2).contains(QStringLiteral(".lang")));
        EXPECT_TRUE(tx(TextLocalizeLine4).contains(QStringLiteral("XXX.lang")));
        EXPECT_TRUE(tx(TextLocalizeLine5).contains(QStringLiteral("XXX")));
        EXPECT_TRUE(tx(TextUrlAddress).contains(QStringLiteral("URL")));
        EXPECT_FALSE(LocaleNameFromAbbreviation(name).isEmpty());
    }
    fillDefaultInterfaceTexts();
}
