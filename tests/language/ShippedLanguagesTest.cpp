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

// Every shipped language file translates every text: one line per text, in
// UTF-8, nothing empty, and what the texts are used with kept.
TEST(ShippedLanguages, CompleteAndConsistent) {
    const QString folder = shippedLanguageFolder();
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.lang")}, QDir::Files);
    for (const char* name : {"CSY.lang", "DEU.lang", "RUS.lang"})
        EXPECT_TRUE(files.contains(QLatin1String(name))) << name;
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
        ASSERT_EQ(lines.size(), interfaceTextCount());

        ASSERT_TRUE(LoadInterfaceTexts(file, {folder}));
        int translated = 0;
        for (int k = 0; k < interfaceTextCount(); ++k) {
            EXPECT_EQ(tx(k), lines.at(k)) << k;
            EXPECT_FALSE(tx(k).trimmed().isEmpty()) << k;
            EXPECT_EQ(tx(k), tx(k).trimmed()) << k;
            if (tx(k) != englishInterfaceText(k))
                ++translated;
        }
        EXPECT_GT(translated, 130);
        EXPECT_EQ(tx(0), QStringLiteral("Vellacord"));
        EXPECT_TRUE(tx(143).contains(QStringLiteral(".lang")));
        EXPECT_TRUE(tx(145).contains(QStringLiteral("XXX.lang")));
        EXPECT_TRUE(tx(146).contains(QStringLiteral("XXX")));
        EXPECT_TRUE(tx(77).contains(QStringLiteral("URL")));
        EXPECT_FALSE(LocaleNameFromAbbreviation(name).isEmpty());
    }
    fillDefaultInterfaceTexts();
}
