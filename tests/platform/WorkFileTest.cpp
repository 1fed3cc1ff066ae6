// The work file: made exclusively and privately, read back line by line, and
// its folder removed by the next run when its process died.
#include "platform/WorkFile.h"
#include "platform/WorkFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace vc;

namespace {

QList<QByteArray> allLines(const QString& path) {
    TextLines lines(path);
    QList<QByteArray> out;
    QByteArrayView line;
    while (lines.next(line))
        out.append(line.toByteArray());
    EXPECT_EQ(lines.position(), lines.size());
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The number of a process that has ended.
pid_t endedProcess() {
    QProcess p;
    p.start(QStringLiteral("true"), {});
    EXPECT_TRUE(p.waitForFinished());
    return pid_t(p.processId() ? p.processId() : 999999);
}

// A work folder as a run leaves it: the work file and the lock file.
QString makeWorkFolder(const QString& temp, pid_t pid, const char* suffix) {
    const QString folder = temp + QLatin1Char('/') + workFolderPrefix(pid) + suffix;
    EXPECT_TRUE(QDir().mkpath(folder));
    writeFile(folder + QStringLiteral("/d!ummy.t~"), "URL\thttp://secret.example/\n");
    writeFile(folder + QLatin1Char('/') + kWorkFolderLockName, QByteArray());
    return folder;
}

} // namespace

TEST(WorkFile, PrivateExclusiveFileLinesAndRemoval) {
    QString path;
    {
        WorkFile work;
        path = work.fileName();
        ASSERT_FALSE(path.isEmpty());
        EXPECT_TRUE(path.endsWith(QStringLiteral("/d!ummy.t~")));
        const QString folder = QFileInfo(path).absolutePath();
        EXPECT_TRUE(QFileInfo(folder).fileName().startsWith(workFolderPrefix(::getpid())));
        EXPECT_EQ(QFileInfo(folder).permissions() &
                      (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                  QFileDevice::Permissions());
        EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + kWorkFolderLockName));

        // A link planted under the work file's name is replaced, never
        // followed: its target stays as it was.
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("target"));
        writeFile(target, "untouched");
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path)), 0);
        ASSERT_TRUE(work.createOrEmpty());
        work.device()->write("one\ttwo\nthree\r\n\nlast");
        work.close();
        struct stat info {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        QFile t(target);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly));
        EXPECT_EQ(t.readAll(), "untouched");
        EXPECT_EQ(allLines(path), (QList<QByteArray>{"one\ttwo", "three", "", "last"}));
        // Emptying really empties.
        ASSERT_TRUE(work.createOrEmpty());
        work.close();
        EXPECT_TRUE(allLines(path).isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path).absolutePath()));
}

TEST(WorkFile, TextLinesAcrossBuffersAndLineEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines"));
    // Lines longer than the read buffer, a CR only dropped before an LF, a
    // last line without a line end, empty lines kept except after the last LF.
    const QByteArray longLine(200000, 'x');
    writeFile(path, longLine + "\r\n" + "a\rb\n\n" + longLine + "y\n" + "end\r");
    EXPECT_EQ(allLines(path), (QList<QByteArray>{longLine, "a\rb", "", longLine + "y", "end\r"}));
    writeFile(path, "only\n");
    EXPECT_EQ(allLines(path), QList<QByteArray>{"only"});
    writeFile(path, "\n\n");
    EXPECT_EQ(allLines(path), (QList<QByteArray>{"", ""}));
    writeFile(path, QByteArray());
    EXPECT_TRUE(allLines(path).isEmpty());
    TextLines missing(dir.filePath(QStringLiteral("missing")));
    QByteArrayView line;
    EXPECT_FALSE(missing.isOpen());
    EXPECT_FALSE(missing.next(line));
}

TEST(WorkFolders, OnlyFoldersOfEndedProcessesOfThisUserGo) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const pid_t ended = endedProcess();
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(sleeper.waitForStarted());
    const pid_t live = pid_t(sleeper.processId());

    const QString stale = makeWorkFolder(temp.path(), ended, "aB3dE6");
    const QString noLock = makeWorkFolder(temp.path(), ended, "nolock");
    QFile::remove(noLock + QLatin1Char('/') + kWorkFolderLockName);
    const QString mine = makeWorkFolder(temp.path(), ::getpid(), "mine00");
    const QString running = makeWorkFolder(temp.path(), live, "live00");
    // Its process number is gone, but a live process holds its lock.
    const QString locked = makeWorkFolder(temp.path(), ended, "locked");
    const int lockFd = ::open(QFile::encodeName(locked + "/lock").constData(), O_RDONLY);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
    // A folder that holds a folder, a name of another form, a link.
    const QString nested = makeWorkFolder(temp.path(), ended, "nested");
    QDir().mkpath(nested + QStringLiteral("/inner"));
    const QString oldForm = temp.path() + QStringLiteral("/vellacord-Xy12Zq");
    QDir().mkpath(oldForm);
    QTemporaryDir target;
    writeFile(target.filePath(QStringLiteral("keep")), "keep");
    const QString link = temp.path() + QLatin1Char('/') + workFolderPrefix(ended) + "link00";
    ASSERT_EQ(::symlink(QFile::encodeName(target.path()).constData(),
                        QFile::encodeName(link).constData()),
              0);
    // Another user's folder (only root can make one).
    QString foreign;
    if (::geteuid() == 0) {
        foreign = makeWorkFolder(temp.path(), ended, "other0");
        for (const QString& p : {foreign, foreign + "/d!ummy.t~", foreign + "/lock"})
            ASSERT_EQ(::chown(QFile::encodeName(p).constData(), 65534, 65534), 0);
    }

    EXPECT_EQ(RemoveStaleWorkFolders(temp.path()), 2);
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_FALSE(QFileInfo::exists(noLock));
    for (const QString& kept : {mine, running, locked, nested, oldForm, foreign}) {
        if (!kept.isEmpty()) {
            EXPECT_TRUE(QFileInfo(kept).isDir()) << qPrintable(kept);
        }
    }
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(target.filePath(QStringLiteral("keep"))));
    EXPECT_TRUE(QFileInfo::exists(running + QStringLiteral("/d!ummy.t~")));

    // Once its holder lets go, the locked folder goes too.
    ::close(lockFd);
    EXPECT_EQ(RemoveStaleWorkFolders(temp.path()), 1);
    EXPECT_FALSE(QFileInfo::exists(locked));
    sleeper.kill();
    sleeper.waitForFinished();
    if (!foreign.isEmpty()) {
        // Left for its owner, even once it is not in the way.
        EXPECT_TRUE(QFileInfo(foreign).isDir());
        QDir(foreign).removeRecursively();
    }
}

TEST(WorkFolders, AProcessKilledMidRunLeavesAFolderTheNextRunRemoves) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A run that ends without its destructors: the folder stays.
        WorkFile work;
        if (work.createOrEmpty())
            work.device()->write("URL\thttp://evidence.example/\n");
        work.close();
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const QStringList left = QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].startsWith(workFolderPrefix(child)));
    EXPECT_TRUE(QFileInfo::exists(temp.path() + '/' + left[0] + "/d!ummy.t~"));
    EXPECT_EQ(RemoveStaleWorkFolders(temp.path()), 1);
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    if (oldTmp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTmp);
}
