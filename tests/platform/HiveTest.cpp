#include "platform/Hive.h"
#include "TestData.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using vc::Hive;

namespace {

const QString kShell =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

// Visits every key and reads every value, bounded, as a damaged hive would be
// read by the program; returns the number of keys seen.
int walkEverything(const Hive& hive) {
    QSet<Hive::Node> seen;
    QList<Hive::Node> pending{hive.root()};
    while (!pending.isEmpty() && seen.size() < 200000) {
        const Hive::Node node = pending.takeLast();
        if (node == 0 || seen.contains(node))
            continue;
        seen.insert(node);
        (void)hive.keyName(node);
        for (const Hive::Value& value : hive.values(node)) {
            (void)hive.readString(node, value.name);
            int type = 0;
            (void)hive.readBytes(node, value.name, &type);
        }
        pending.append(hive.subkeys(node));
    }
    return int(seen.size());
}

} // namespace

TEST(PlatformHive, ReadsRealHivesWithoutRegardToCase) {
    QString error;
    auto xp = Hive::open(testDataPath("ntuser-xp.dat"), &error);
    ASSERT_TRUE(xp) << error.toStdString();
    EXPECT_EQ(xp->readString(kShell, "Cookies").text, "C:\\Documents and Settings\\joe\\Cookies");
    const auto loose =
        xp->readString("\\software\\MICROSOFT\\windows\\currentversion\\explorer\\shell folders\\",
                       "local appdata");
    EXPECT_TRUE(loose.ok());
    EXPECT_EQ(loose.text, "C:\\Documents and Settings\\joe\\Local Settings\\Application Data");
    EXPECT_EQ(loose.type, Hive::Text);

    // REG_EXPAND_SZ is text too.
    const auto expand = xp->readString("Environment", "TEMP");
    EXPECT_EQ(expand.type, Hive::ExpandText);
    EXPECT_EQ(expand.text, "%USERPROFILE%\\Local Settings\\Temp");

    // An empty string value is present, not missing.
    const auto empty = xp->readString(kShell, "My Video");
    EXPECT_EQ(empty.status, Hive::ReadStatus::Ok);
    EXPECT_TRUE(empty.text.isEmpty());

    // The empty name reads the key's default value.
    EXPECT_EQ(xp->readString("Software\\Clients\\StartMenuInternet", "").text, "FIREFOX.EXE");
    EXPECT_EQ(xp->readString("AppEvents\\EventLabels\\.Default", "").text, "Default Beep");

    EXPECT_EQ(xp->readString(kShell, "NoSuchValue").status, Hive::ReadStatus::NoValue);
    EXPECT_EQ(xp->readString("Software\\NoSuchKey", "x").status, Hive::ReadStatus::NoKey);
    const auto dword = xp->readString("Control Panel\\Desktop", "CaretWidth");
    EXPECT_EQ(dword.status, Hive::ReadStatus::NotText);
    EXPECT_EQ(dword.type, Hive::Dword);
    int type = 0;
    const auto bytes = xp->readBytes(*xp->findKey("Control Panel\\Desktop"), "CaretWidth", &type);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, QByteArray("\x01\x00\x00\x00", 4));

    // Subkeys and values come in the hive's own order.
    const QStringList top = xp->subkeyNames(xp->root());
    EXPECT_EQ(top.mid(0, 4), QStringList({"AppEvents", "Console", "Control Panel", "Environment"}));
    EXPECT_EQ(top.size(), 10);
    const auto values = xp->values(*xp->findKey(kShell));
    ASSERT_GE(values.size(), 4);
    EXPECT_EQ(values[0].name, "AppData");
    EXPECT_EQ(values[1].name, "Cookies");
    EXPECT_EQ(values[2].name, "Desktop");
    EXPECT_EQ(values[3].name, "Favorites");

    auto win10 = Hive::open(testDataPath("ntuser-win10.dat"), &error);
    ASSERT_TRUE(win10) << error.toStdString();
    EXPECT_EQ(win10->readString(kShell, "Cache").text,
              "C:\\Users\\bperry\\AppData\\Local\\Microsoft\\Windows\\INetCache");
    EXPECT_EQ(win10->readString("Control Panel\\International", "sLanguage").text, "ENU");
    EXPECT_EQ(win10->readString("Control Panel\\International", "LocaleName").text, "en-US");
}

TEST(PlatformHive, DamagedFilesGiveAMessageNamingTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray real = readAll(testDataPath("ntuser-xp.dat"));
    ASSERT_EQ(real.size(), 786432);
    const QByteArray digest = QCryptographicHash::hash(real, QCryptographicHash::Sha256);

    auto expectRefused = [](const QString& path) {
        QString error;
        auto hive = Hive::open(path, &error);
        EXPECT_FALSE(hive) << path.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    };
    expectRefused(dir.filePath("missing.dat"));
    expectRefused(dir.path()); // a folder
    expectRefused(writeFile(dir, "empty.dat", QByteArray()));
    expectRefused(writeFile(dir, "text.dat", QByteArray(20000, 'x')));
    const QString fifo = dir.filePath("fifo.dat");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    expectRefused(fifo); // would block if it were opened

    QRandomGenerator random(20081224);
    QByteArray noise(64 * 1024, '\0');
    for (char& c : noise)
        c = char(random.bounded(256));
    expectRefused(writeFile(dir, "noise.dat", noise));
    expectRefused(writeFile(dir, "regf-noise.dat", "regf" + noise.mid(4)));

    // A copy cut short of the size its base block declares (663552 bytes for
    // this hive, base block and bins) is refused; cut after that, nothing is lost.
    for (qsizetype size : {100, 8192, 65536, 300001, 393216, 663552 - 1}) {
        const QString path =
            writeFile(dir, QStringLiteral("cut-%1.dat").arg(size), real.left(size));
        QString error;
        EXPECT_FALSE(Hive::open(path, &error)) << size;
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_TRUE(error.contains(size < 8192 ? "too short" : "truncated")) << error.toStdString();
    }
    QString cutError;
    auto whole = Hive::open(writeFile(dir, "cut-whole.dat", real.left(663552)), &cutError);
    ASSERT_TRUE(whole) << cutError.toStdString();
    EXPECT_EQ(whole->readString(kShell, "Recent").text, "C:\\Documents and Settings\\joe\\Recent");

    // Copies with bytes overwritten all over the key cells.
    for (int round = 0; round < 12; ++round) {
        QByteArray damaged = real;
        for (int i = 0; i < 400; ++i)
            damaged[4096 + random.bounded(int(damaged.size() - 4096))] = char(random.bounded(256));
        const QString path = writeFile(dir, QStringLiteral("damaged-%1.dat").arg(round), damaged);
        QString error;
        if (auto hive = Hive::open(path, &error))
            walkEverything(*hive);
        else
            EXPECT_TRUE(error.contains(path));
    }
    // The intact hive walks completely, and reading never changes it.
    QString error;
    auto intact = Hive::open(testDataPath("ntuser-xp.dat"), &error);
    ASSERT_TRUE(intact);
    const int keys = walkEverything(*intact);
    EXPECT_GT(keys, 1000);
    EXPECT_EQ(walkEverything(*whole), keys);
    intact.reset();
    EXPECT_EQ(QCryptographicHash::hash(readAll(testDataPath("ntuser-xp.dat")),
                                       QCryptographicHash::Sha256),
              digest);
}

TEST(PlatformHive, DecodesRegistryText) {
    EXPECT_EQ(vc::decodeRegistryText(QByteArray("A\0b\0\0\0z\0", 8)), "Ab");
    EXPECT_EQ(vc::decodeRegistryText(QByteArray("A\0b", 3)), "A"); // odd last byte dropped
    const QString cyrillic = QString(QChar(0x041B)) + QChar(0x0430);
    EXPECT_EQ(vc::decodeRegistryText(QByteArray("\x1b\x04\x30\x04", 4)), cyrillic);
    EXPECT_TRUE(vc::decodeRegistryText(QByteArray()).isEmpty());
}
