// Hives with one changed byte (made by tests/tools/make-damaged-hives.py
// from ntuser-xp.dat): value types no Windows type has, and a cell hivex
// refuses.
#include "evidence/SpecialFolders.h"
#include "evidence/UserProfile.h"
#include "platform/Hive.h"

#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kShell =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
const QString kUserShell =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The number of bytes in which two files differ.
int differingBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        n += a[i] != b[i];
    return n;
}

} // namespace

TEST(DamagedHive, ValueTypesNoWindowsTypeHasAreReadAsBinary) {
    const QByteArray original = readAll(testDataPath("ntuser-xp.dat"));
    struct Case {
        const char* file;
        QString key;
        QString value;
        int type;
        QString text; // the value's text, as binary bytes in UTF-16
    };
    const Case cases[] = {
        {"ntuser-xp-type127.dat", kShell, QStringLiteral("Cookies"), 127,
         QStringLiteral("C:\\Documents and Settings\\joe\\Cookies")},
        {"ntuser-xp-type10000002.dat", kUserShell, QStringLiteral("AppData"), 0x10000002,
         QStringLiteral("%USERPROFILE%\\Application Data")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = testDataPath(QString::fromLatin1(c.file));
        EXPECT_EQ(differingBytes(original, readAll(path)), 1);
        QString error;
        auto hive = Hive::open(path, &error);
        ASSERT_TRUE(hive) << error.toStdString();
        const auto key = hive->findKey(c.key);
        ASSERT_TRUE(key);

        // The listing gives the number the cell holds, and the other values
        // of the key as before.
        int listed = -1;
        int others = 0;
        for (const Hive::Value& v : hive->values(*key)) {
            if (v.name == c.value)
                listed = v.type;
            else if (v.type == Hive::Text || v.type == Hive::ExpandText)
                ++others;
        }
        EXPECT_EQ(listed, c.type);
        EXPECT_GT(others, 5);

        // Not text: the reader says so with the type; the bytes are still
        // there as binary (the path in UTF-16).
        const Hive::TextResult text = hive->readString(*key, c.value);
        EXPECT_EQ(text.status, Hive::ReadStatus::NotText);
        EXPECT_EQ(text.type, c.type);
        EXPECT_TRUE(text.text.isEmpty());
        int type = 0;
        const auto bytes = hive->readBytes(*key, c.value, &type);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(type, c.type);
        EXPECT_EQ(decodeRegistryText(*bytes), c.text);
        EXPECT_EQ(hive->readString(kShell, QStringLiteral("Recent")).text,
                  "C:\\Documents and Settings\\joe\\Recent");
    }
}

TEST(DamagedHive, AProfileWithAnUnreadableFolderValueFallsBackToTheLayout) {
    // The Cookies value of Shell Folders is not text: the folder comes from
    // the Windows XP layout; the other folders still come from the hive.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(testDataPath("ntuser-xp-type127.dat"), dir.filePath("NTUSER.DAT")));
    ASSERT_TRUE(QDir(dir.path()).mkpath("Cookies"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("Recent"));
    UserProfile profile;
    QString message;
    ASSERT_TRUE(profile.open(dir.path(), &message));
    EXPECT_TRUE(message.isEmpty()) << message.toStdString();
    EXPECT_EQ(profile.windowsProfilePath(), "C:\\Documents and Settings\\joe");
    EXPECT_EQ(GetSpecialFolder(profile, FolderKind::CookiesDir), dir.path() + "/Cookies/");
    EXPECT_EQ(GetSpecialFolder(profile, FolderKind::RecentDir), dir.path() + "/Recent/");
}

TEST(DamagedHive, ACellHivexRefusesIsReportedAsDamagedWithThePath) {
    const QString path = testDataPath("ntuser-xp-badcell.dat");
    EXPECT_EQ(differingBytes(readAll(testDataPath("ntuser-xp.dat")), readAll(path)), 1);
    QString error;
    EXPECT_FALSE(Hive::open(path, &error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains("damaged")) << error.toStdString();
    EXPECT_FALSE(error.contains("not a registry hive")) << error.toStdString();

    // A profile with that hive still opens, says why its registry is empty
    // and guesses its folders.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile::copy(path, dir.filePath("NTUSER.DAT")));
    UserProfile profile;
    QString message;
    ASSERT_TRUE(profile.open(dir.path(), &message));
    EXPECT_TRUE(message.contains("damaged")) << message.toStdString();
    EXPECT_TRUE(message.contains(dir.filePath("NTUSER.DAT"))) << message.toStdString();
    EXPECT_EQ(profile.userHive(), nullptr);
}
