#include "language/InterfaceTexts.h"
#include "language/LanguageFiles.h"
#include "language/LanguageTestFiles.h"
#include "language/LocaleList.h"
#include "platform/QStringPrinting.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <gtest/gtest.h>

using namespace vc;

namespace {

// The placeholders of a text ("%1", "%2", ...), in order of their numbers,
// each as often as it occurs.
QStringList placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

} // namespace

// Every shipped language file has a line for every text number of the
// table, in number order (line k is text k), in UTF-8, and none of them is
// empty: a text added to the table without its line in every file would
// show as an empty caption in that language (an empty line is an empty
// text), or shift every later text by one. A translation keeps the
// placeholders of its English text (%1, %2), each once, or the numbers a
// message carries would be lost or doubled.
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
            EXPECT_FALSE(tx(k).isEmpty())
                << "text " << k << ": " << englishInterfaceText(k).toStdString();
            EXPECT_EQ(tx(k), tx(k).trimmed()) << k;
            EXPECT_EQ(placeholders(tx(k)), placeholders(englishInterfaceText(k)))
                << "text " << k << ": " << tx(k).toStdString();
            if (!tx(k).isEmpty() && tx(k) != englishInterfaceText(k))
                ++translated;
        }
        // Proper names and the like stay as they are; nearly all the rest
        // is translated (an English line pasted in for a missing
        // translation counts as untranslated).
        EXPECT_GT(translated, count * 9 / 10);
        EXPECT_EQ(tx(TextProgramName), QStringLiteral("Vellacord"));
        EXPECT_TRUE(tx(TextLocalizeLine2).contains(QStringLiteral(".lang")));
        EXPECT_TRUE(tx(TextLocalizeLine4).contains(QStringLiteral("XXX.lang")));
        EXPECT_TRUE(tx(TextLocalizeLine5).contains(QStringLiteral("XXX")));
        EXPECT_TRUE(tx(TextUrlAddress).contains(QStringLiteral("URL")));
        EXPECT_FALSE(LocaleNameFromAbbreviation(name).isEmpty());
    }
    fillDefaultInterfaceTexts();
}
