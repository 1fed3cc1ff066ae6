#include "TestData.h"
#include "evidence/UserProfile.h"
#include "platform/Hive.h"
#include "platform/Messages.h"
#include "platform/QStringPrinting.h"
#include "platform/Registry.h"
#include "platform/WindowsLocales.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kShell =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

QString read(RegistryRoot root, const QString& key, const QString& value) {
    return RegistryAccess(root, key, value, QString(), "read");
}
QString readUser(const QString& key, const QString& value) {
    return read(RegistryRoot::CurrentUser, key, value);
}

QString readHive(const UserProfile& profile, const QString& key, const QString& value) {
    return profile.userHive() ? profile.userHive()->readString(key, value).text : QString();
}

QByteArray digestOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
               : QByteArray();
}

void clearOwnSettings() {
    QSettings settings("Ostravane", "Vellacord");
    settings.remove("Sys");
    settings.sync();
}

} // namespace

// Values checked against hivexget on the same files: the profile's hive
// answers through its profile; the registry access itself answers only the
// program's own key and the examiner's locale, whatever profile is open.
TEST(PlatformRegistry, ReadsTheProfileHive) {
    UserProfile xp;
    ASSERT_TRUE(xp.open(samplesPath("profiles/xp"), nullptr));
    EXPECT_EQ(readHive(xp, kShell, "Favorites"), "C:\\Documents and Settings\\joe\\Favorites");
    EXPECT_EQ(readHive(xp, kShell.toUpper(), "favorites"),
              "C:\\Documents and Settings\\joe\\Favorites");
    EXPECT_EQ(readHive(xp, "Control Panel\\International", "iCountry"), "354");
    EXPECT_EQ(readHive(xp, "Environment", "TMP"), "%USERPROFILE%\\Local Settings\\Temp");
    EXPECT_EQ(readHive(xp, kShell, "NoSuchValue"), "");
    EXPECT_EQ(readHive(xp, "Software\\NoSuchKey", "Favorites"), "");
    EXPECT_EQ(readHive(xp, "Control Panel\\Desktop", "CaretWidth"), ""); // a number, not text
    EXPECT_TRUE(xp.userHive()->findKey("control panel\\desktop").has_value());
    EXPECT_FALSE(xp.userHive()->findKey("Software\\NoSuchKey").has_value());
    // No SOFTWARE hive beside this profile.
    EXPECT_EQ(xp.machineHive(), nullptr);
    // The registry access never reads the evidence.
    EXPECT_EQ(readUser(kShell, "Favorites"), "");
    EXPECT_FALSE(RegistryKeyExists(RegistryRoot::CurrentUser, "control panel\\desktop"));
    EXPECT_EQ(read(RegistryRoot::LocalMachine,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache\\Paths",
                   "Directory"),
              "");

    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(testDataPath("ntuser-win10.dat"), dir.filePath("NTUSER.DAT")));
    UserProfile win10;
    ASSERT_TRUE(win10.open(dir.path(), nullptr));
    EXPECT_EQ(readHive(win10, kShell, "Cookies"),
              "C:\\Users\\bperry\\AppData\\Local\\Microsoft\\Windows\\INetCookies");
    EXPECT_EQ(readHive(win10, "Control Panel\\International", "LocaleName"), "en-US");
    EXPECT_EQ(readHive(win10, "Environment", "TEMP"), "%USERPROFILE%\\AppData\\Local\\Temp");
}

// The evidence is never written; the program's own key is a settings store.
TEST(PlatformRegistry, WritesOnlyTheOwnKey) {
    clearOwnSettings();
    const QString hive = samplesPath("profiles/xp/NTUSER.DAT");
    const QByteArray before = digestOf(hive);
    UserProfile xp;
    ASSERT_TRUE(xp.open(samplesPath("profiles/xp"), nullptr));

    EXPECT_EQ(RegistryAccess(RegistryRoot::CurrentUser, kShell, "Favorites", "/tmp/x", "write"),
              "");
    EXPECT_EQ(readHive(xp, kShell, "Favorites"), "C:\\Documents and Settings\\joe\\Favorites");
    EXPECT_EQ(
        RegistryAccess(RegistryRoot::LocalMachine, kOwnSettingsKey, "Language", "DEU", "write"),
        "");
    EXPECT_EQ(
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, "Language", "DEU", "erase"), "");
    EXPECT_FALSE(RegistryKeyExists(RegistryRoot::CurrentUser, kOwnSettingsKey));
    EXPECT_EQ(readUser(kOwnSettingsKey, "Language"), "");

    EXPECT_EQ(
        RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, "Language", "DEU", "write"), "");
    EXPECT_EQ(RegistryAccess(RegistryRoot::CurrentUser, "software\\OSTRAVANE\\vellacord\\Sys\\",
                             "Version", "ver. 1.1", "write"),
              "");
    EXPECT_TRUE(RegistryKeyExists(RegistryRoot::CurrentUser, kOwnSettingsKey));
    EXPECT_EQ(readUser(kOwnSettingsKey, "Language"), "DEU");
    EXPECT_EQ(readUser(kOwnSettingsKey, "version"), "ver. 1.1");
    EXPECT_EQ(readUser(kOwnSettingsKey, "Missing"), "");
    // Overwriting with other letter case keeps one value.
    RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, "LANGUAGE", "FRA", "write");
    EXPECT_EQ(readUser(kOwnSettingsKey, "Language"), "FRA");

    QSettings store("Ostravane", "Vellacord");
    store.beginGroup("Sys");
    EXPECT_EQ(store.childKeys(), QStringList({"Language", "Version"}));
    EXPECT_EQ(store.value("Language").toString(), "FRA");
    // The tests keep the examiner's own configuration untouched: their
    // settings lie in a temporary folder of the test program's own.
    EXPECT_TRUE(store.fileName().startsWith(QDir::tempPath())) << store.fileName().toStdString();

    EXPECT_EQ(digestOf(hive), before);
    clearOwnSettings();
}

// "sLanguage" is the examiner's locale, not the one stored in the evidence
// (the XP hive says "ISL").
TEST(PlatformRegistry, LanguageIsTheExaminersLocale) {
    UserProfile xp;
    ASSERT_TRUE(xp.open(samplesPath("profiles/xp"), nullptr));
    const QString key = "Control Panel\\International";
    for (const auto& [name, abbreviation] : {std::pair{"en_US", "ENU"},
                                             {"en_GB", "ENG"},
                                             {"de_DE", "DEU"},
                                             {"fr_FR", "FRA"},
                                             {"ru_RU", "RUS"},
                                             {"de_AT", "DEA"},
                                             {"pt_BR", "PTB"},
                                             {"zh_TW", "CHT"}}) {
        setExaminerLocale(QLocale(name));
        EXPECT_EQ(readUser(key, "sLanguage"), abbreviation) << name;
        EXPECT_EQ(readUser(key.toLower(), "SLANGUAGE"), abbreviation) << name;
    }
    setExaminerLocale(QLocale("it_IT"));
    EXPECT_EQ(readUser(key, "sLanguage"), "ITA"); // also without a profile
    setExaminerLocale(std::nullopt);
    EXPECT_EQ(readUser(key, "sLanguage"), windowsAbbreviation(QLocale::system()));
}

TEST(PlatformRegistry, WindowsLocaleTable) {
    QSet<uint16_t> ids;
    for (const WindowsLocale& locale : windowsLocales()) {
        EXPECT_FALSE(ids.contains(locale.lcid)) << locale.tag;
        ids.insert(locale.lcid);
        const QString abbreviation = QLatin1String(locale.abbreviation);
        EXPECT_EQ(abbreviation.size(), 3) << locale.tag;
        EXPECT_EQ(abbreviation, abbreviation.toUpper()) << locale.tag;
        EXPECT_EQ(windowsLocaleByLcid(locale.lcid), &locale);
        // The tag's language is the language the entry names (Qt knows
        // Windows' Cusco Quechua "quz" only as Quechua "qu").
        const QString tag = QString::fromLatin1(locale.tag).replace("quz-", "qu-");
        EXPECT_EQ(QLocale(tag.section('-', 0, 0)).language(), locale.language) << locale.tag;
    }
    EXPECT_GE(ids.size(), 100);

    EXPECT_EQ(windowsLocaleByAbbreviation("enu")->lcid, 0x0409);
    EXPECT_EQ(windowsLocaleByAbbreviation("ENG")->lcid, 0x0809);
    EXPECT_EQ(windowsLocaleByAbbreviation(" deu ")->lcid, 0x0407);
    EXPECT_EQ(windowsLocaleByAbbreviation("XYZ"), nullptr);
    EXPECT_EQ(windowsLocaleByLcid(0x0419)->abbreviation, std::string("RUS"));
    EXPECT_EQ(windowsLocaleByLcid(0x7FFF), nullptr);

    EXPECT_EQ(windowsAbbreviation(QLocale("de_CH")), "DES");
    EXPECT_EQ(windowsAbbreviation(QLocale("fr_CA")), "FRC");
    EXPECT_EQ(windowsAbbreviation(QLocale("sr_Latn_RS")), "SRM");
    EXPECT_EQ(windowsAbbreviation(QLocale("sr_Cyrl_RS")), "SRO");
    EXPECT_EQ(windowsAbbreviation(QLocale("nb_NO")), "NOR");
    EXPECT_EQ(windowsAbbreviation(QLocale("es_ES")), "ESN");
    EXPECT_EQ(windowsAbbreviation(QLocale("es_MX")), "ESM");
    // A territory the table lacks takes the language's first entry.
    EXPECT_EQ(windowsAbbreviation(QLocale("de_BE")), "DEU");
    EXPECT_EQ(windowsAbbreviation(QLocale("en_GH")), "ENU");
    EXPECT_EQ(windowsAbbreviation(QLocale::c()), "ENU");
    EXPECT_EQ(windowsAbbreviation(QLocale(QLocale::Esperanto)), "ENU");
}

namespace {
struct RecordedMessages : MessageService {
    QStringList texts;
    MessageAnswer show(MessageKind, const QString& text, MessageButtons) override {
        texts.append(text);
        return MessageAnswer::Ok;
    }
};
} // namespace

// A settings file that cannot be written is reported with its path.
TEST(PlatformRegistry, FailedSettingsWriteNamesTheFile) {
    clearOwnSettings();
    const QString file = QSettings("Ostravane", "Vellacord").fileName();
    QFile::remove(file);
    ASSERT_TRUE(QDir().mkpath(file)); // a folder where the file should be
    RecordedMessages recorded;
    MessageService* previous = setMessageService(&recorded);
    RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, "Language", "DEU", "write");
    setMessageService(previous);
    QDir(file).removeRecursively();
    ASSERT_EQ(recorded.texts.size(), 1);
    EXPECT_TRUE(recorded.texts[0].contains(file)) << recorded.texts[0].toStdString();
    clearOwnSettings();
}
