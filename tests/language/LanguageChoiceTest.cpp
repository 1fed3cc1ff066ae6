#include "language/LanguageChoice.h"
#include "language/InterfaceTexts.h"
#include "language/LanguageTestFiles.h"
#include "platform/QStringPrinting.h"
#include "platform/Registry.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

class LanguageChoice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(first.isValid());
        ASSERT_TRUE(second.isValid());
        a = first.path() + '/';
        b = second.path() + '/';
        QSettings("Ostravane", "Vellacord").remove("Sys");
    }
    void TearDown() override {
        fillDefaultInterfaceTexts();
        QSettings("Ostravane", "Vellacord").remove("Sys");
    }
    static QStringList captions(const QList<LanguageEntry>& entries) {
        QStringList list;
        for (const LanguageEntry& entry : entries)
            list << entry.caption;
        return list;
    }
    static QString savedChoice() {
        return RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, "Language", QString(),
                              "read");
    }

    QTemporaryDir first;
    QTemporaryDir second;
    QString a;
    QString b;
};

} // namespace

TEST_F(LanguageChoice, NoLanguageFileMeansNoMenu) {
    EXPECT_TRUE(languageMenuEntries({a, b}).isEmpty());
    writeBytes(a + "notes.txt", "x\n");
    writeBytes(a + "lang", "x\n");
    EXPECT_TRUE(languageMenuEntries({a, b, "/nonexistent/"}).isEmpty());
    // Files that name no locale still make the menu, with English alone.
    writeBytes(a + "XYZ.lang", "x\n");
    writeBytes(a + "english.lang", "x\n");
    const QList<LanguageEntry> entries = languageMenuEntries({a, b});
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, "LangItem_ENU");
    EXPECT_EQ(entries[0].hint, "en");
    EXPECT_EQ(entries[0].caption, "English (United States)");
    EXPECT_TRUE(entries[0].path.isEmpty());
}

TEST_F(LanguageChoice, EnuFileIsASecondEnglish) {
    writeBytes(a + "ENU.lang", "Vellacord\n");
    const QList<LanguageEntry> entries = languageMenuEntries({a});
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].name, "LangItem_ENU");
    EXPECT_EQ(entries[1].hint, "ENU.lang");
    EXPECT_EQ(entries[1].caption, "English (United States) - 2");
    EXPECT_EQ(entries[1].path, a + "ENU.lang");
    writeBytes(b + "enu.lang", "Vellacord\n");
    EXPECT_EQ(languageMenuEntries({b})[1].caption, "English (United States) - 2");
}

TEST_F(LanguageChoice, NamesMatchWithoutRegardToCase) {
    writeBytes(a + "deu.lang", "Vellacord\n");
    writeBytes(b + "DEU.lang", "Vellacord\n");
    writeBytes(b + "Rus.LANG", "Vellacord\n");
    const QList<LanguageEntry> lower = languageMenuEntries({a});
    const QList<LanguageEntry> upper = languageMenuEntries({b});
    ASSERT_EQ(lower.size(), 2);
    EXPECT_EQ(lower[1].caption, "German (Germany)");
    EXPECT_EQ(lower[1].name, "LangItem_deu");
    EXPECT_EQ(lower[1].hint, "deu.lang");
    EXPECT_EQ(captions(upper),
              QStringList({"English (United States)", "German (Germany)", "Russian (Russia)"}));
    EXPECT_EQ(upper[2].hint, "Rus.LANG");
    // The saved code picks its entry whatever the case on either side.
    EXPECT_EQ(selectedLanguageEntry(lower, "DEU"), 1);
    EXPECT_EQ(selectedLanguageEntry(upper, "deu"), 1);
    EXPECT_EQ(selectedLanguageEntry(upper, "rus"), 2);
    EXPECT_EQ(selectedLanguageEntry(upper, "en"), 0);
    EXPECT_EQ(selectedLanguageEntry(upper, "FRA"), 0); // no file any more: English
    EXPECT_EQ(selectedLanguageEntry(upper, ""), 0);
}

TEST_F(LanguageChoice, FirstFolderWinsAndListingOrderIsKept) {
    writeBytes(a + "RUS.lang", "A\n");
    writeBytes(a + "CSY.lang", "A\n");
    writeBytes(b + "DEU.lang", "B\n");
    writeBytes(b + "rus.lang", "B\n");
    const QList<LanguageEntry> entries = languageMenuEntries({a, b});
    EXPECT_EQ(captions(entries), QStringList({"English (United States)", "Czech (Czechia)",
                                              "Russian (Russia)", "German (Germany)"}));
    EXPECT_EQ(entries[2].path, a + "RUS.lang");
    EXPECT_EQ(entries[3].path, b + "DEU.lang");
}

TEST_F(LanguageChoice, ChoosingLoadsTheTextsAndSavesTheChoice) {
    writeBytes(a + "DEU.lang", readBytes(shippedLanguageFolder() + "DEU.lang"));
    QList<LanguageEntry> entries = languageMenuEntries({a});
    ASSERT_EQ(entries.size(), 2);

    EXPECT_TRUE(chooseLanguage(entries[1], {a}));
    EXPECT_EQ(tx(19), "Beenden");
    EXPECT_EQ(savedChoice(), "DEU");

    EXPECT_TRUE(chooseLanguage(entries[0], {a}));
    EXPECT_EQ(tx(19), "Exit");
    EXPECT_EQ(savedChoice(), "en");

    // The file went away: English texts, the choice is saved all the same.
    ASSERT_TRUE(QFile::remove(a + "DEU.lang"));
    EXPECT_FALSE(chooseLanguage(entries[1], {a}));
    EXPECT_EQ(tx(19), "Exit");
    EXPECT_EQ(savedChoice(), "DEU");

    EXPECT_EQ(languageChoiceValue("en"), "en");
    EXPECT_EQ(languageChoiceValue("DEU.lang"), "DEU");
    EXPECT_EQ(languageChoiceValue("my.DEU.lang"), "my.DEU");
}
