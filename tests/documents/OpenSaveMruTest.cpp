// The open/save MRU lists, read from copies of a real XP hive with the
// lists added by hivex.
#include "documents/OpenSaveMru.h"
#include "TestData.h"
#include "documents/MruHive.h"
#include "documents/RecentRow.h"
#include "evidence/UserProfile.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace vc;

namespace {

const QString kHome = QStringLiteral("C:\\Documents and Settings\\joe");

class OpenSaveMru : public ::testing::Test {
protected:
    void SetUp() override {
        setShowsUtc(true);
        setDateTimeFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        ASSERT_TRUE(dir.isValid());
        // The document exists under other letter cases than the hive spells.
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("my documents")));
        const QString doc = dir.path() + QStringLiteral("/my documents/LETTER.doc");
        QFile f(doc);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("doc");
        f.close();
        const struct timespec t[2] = {{1205485960, 0}, {1205485960, 0}}; // 2008-03-14 09:12:40
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(doc).constData(), t, 0), 0);
    }
    void TearDown() override { setShowsUtc(false); }
    void openWith(const QList<MruSubkey>& subkeys) {
        QString error;
        ASSERT_TRUE(writeMruHive(testDataPath(QStringLiteral("ntuser-xp.dat")),
                                 dir.path() + QStringLiteral("/NTUSER.DAT"), kOpenSaveMruKey,
                                 subkeys, &error))
            << qPrintable(error);
        ASSERT_TRUE(profile.open(dir.path(), &error)) << qPrintable(error);
    }
    static QList<QByteArray> fields(const QByteArray& line) {
        return expandTimeCells(line).split('\t');
    }

    QTemporaryDir dir;
    UserProfile profile;
};

} // namespace

TEST_F(OpenSaveMru, RowsComeInHiveOrderWithTimesOnlyForFilesThatExist) {
    openWith({
        {QStringLiteral("doc"),
         {textValue(QStringLiteral("MRUList"), QStringLiteral("ba")),
          textValue(QStringLiteral("a"), kHome + QStringLiteral("\\My Documents\\letter.doc")),
          textValue(QStringLiteral("b"), kHome + QStringLiteral("\\Desktop\\gone.doc"))}},
        {QStringLiteral("MRUListEx"),
         {textValue(QStringLiteral("a"), QStringLiteral("C:\\x.bin"))}},
        {QStringLiteral("txt"),
         {textValue(QStringLiteral("a"), QStringLiteral("D:\\notes\\todo.txt")),
          {QStringLiteral("b"), 2,
           textValue(QString(), QStringLiteral("%USERPROFILE%\\a.txt")).data},
          textValue(QStringLiteral("MRUList"), QStringLiteral("ab"))}},
    });
    QList<QByteArray> list{"walk row"};
    const MruReadResult r = ReadOpenSaveMRU(&profile, kOpenSaveMruKey, list, nullptr);
    ASSERT_TRUE(r.ok) << qPrintable(r.error);
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0], "walk row"); // appended after what the list held

    // Enumeration order, not the MRUList order; the MRUListEx subkey skipped.
    // Every field of the recent-documents table; the source is the list's
    // key, the MRU position its place in MRUList, and the most recent entry
    // carries the key's last-written time.
    const QList<QByteArray> first = fields(list[1]);
    ASSERT_EQ(first.size(), kRecentRowFields);
    EXPECT_EQ(first[0], "letter.doc");
    EXPECT_EQ(first[1], ".doc");
    EXPECT_EQ(first[3], "2008-03-14 09:12:40");
    EXPECT_EQ(first[4], "C:\\Documents and Settings\\joe\\My Documents\\letter.doc");
    EXPECT_EQ(first[5], "OpenSaveMRU\\doc");
    EXPECT_EQ(first[6], "1");
    EXPECT_EQ(first.mid(7), QList<QByteArray>(kRecentRowFields - 7));
    // The creation time is there when the file system keeps one.
    EXPECT_TRUE(first[2].isEmpty() || parseTimeText(first[2])) << first[2].constData();
    const QList<QByteArray> gone = fields(list[2]);
    EXPECT_EQ(gone.mid(0, 7),
              (QList<QByteArray>{"gone.doc", ".doc", "", "",
                                 "C:\\Documents and Settings\\joe\\Desktop\\gone.doc",
                                 "OpenSaveMRU\\doc", "0"}));
    EXPECT_TRUE(parseTimeText(gone[7])) << gone[7].constData(); // when hivex wrote the key
    EXPECT_EQ(gone.mid(8), QList<QByteArray>(kRecentRowFields - 8));
    EXPECT_EQ(fields(list[3]).mid(0, 7),
              (QList<QByteArray>{"todo.txt", ".txt", "", "", "D:\\notes\\todo.txt",
                                 "OpenSaveMRU\\txt", "0"}));
    EXPECT_EQ(fields(list[4])[4], "%USERPROFILE%\\a.txt"); // REG_EXPAND_SZ is text too
    EXPECT_EQ(fields(list[4])[6], "1");
}

TEST_F(OpenSaveMru, AValueThatIsNotTextEndsTheReadingNamingIt) {
    openWith({
        {QStringLiteral("doc"),
         {textValue(QStringLiteral("a"), QStringLiteral("C:\\one.doc")),
          {QStringLiteral("b"), 3, QByteArray("\x01\x02\x03", 3)},
          textValue(QStringLiteral("c"), QStringLiteral("C:\\three.doc"))}},
        {QStringLiteral("txt"), {textValue(QStringLiteral("a"), QStringLiteral("C:\\later.txt"))}},
    });
    QList<QByteArray> list;
    const MruReadResult r = ReadOpenSaveMRU(&profile, kOpenSaveMruKey, list, nullptr);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("'b'"))) << qPrintable(r.error);
    EXPECT_TRUE(r.error.contains(QStringLiteral("REG_BINARY")));
    EXPECT_TRUE(r.error.contains(kOpenSaveMruKey + QStringLiteral("\\doc")));
    EXPECT_TRUE(r.error.contains(dir.path() + QStringLiteral("/NTUSER.DAT")));
    EXPECT_FALSE(list.join().contains("later.txt"));
}

TEST_F(OpenSaveMru, MissingKeysAndNoProfileAddNothing) {
    QList<QByteArray> list;
    EXPECT_TRUE(ReadOpenSaveMRU(nullptr, kOpenSaveMruKey, list, nullptr).ok); // no profile open
    openWith(
        {{QStringLiteral("doc"), {textValue(QStringLiteral("a"), QStringLiteral("C:\\a.doc"))}}});
    EXPECT_TRUE(
        ReadOpenSaveMRU(&profile, kOpenSaveMruKey + QStringLiteral("\\nothing"), list, nullptr).ok);
    EXPECT_TRUE(
        ReadMRUValues(&profile, kOpenSaveMruKey + QStringLiteral("\\xls"), list, "t", nullptr).ok);
    EXPECT_TRUE(list.isEmpty());
    // The real Windows 10 hive keeps its lists elsewhere (OpenSavePidlMRU).
    QTemporaryDir win10;
    ASSERT_TRUE(QFile::copy(testDataPath(QStringLiteral("ntuser-win10.dat")),
                            win10.path() + QStringLiteral("/NTUSER.DAT")));
    UserProfile other;
    QString error;
    ASSERT_TRUE(other.open(win10.path(), &error));
    EXPECT_TRUE(ReadOpenSaveMRU(&other, kOpenSaveMruKey, list, nullptr).ok);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(OpenSaveMru, StoredTextWithControlCharactersCannotSplitARow) {
    openWith({{QStringLiteral("doc"),
               {textValue(QStringLiteral("a"), QStringLiteral("C:\\two\tparts\nhere.doc"))}}});
    QList<QByteArray> list;
    ASSERT_TRUE(
        ReadMRUValues(&profile, kOpenSaveMruKey + QStringLiteral("\\DOC"), list, "tag", nullptr)
            .ok);
    ASSERT_EQ(list.size(), 1);
    QList<QByteArray> expected{"two parts here.doc",     ".doc", "", "",
                               "C:\\two parts here.doc", "tag"};
    expected.resize(kRecentRowFields); // no order string: no position, no time
    EXPECT_EQ(fields(list[0]), expected);
}
