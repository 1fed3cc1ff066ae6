// Benchmarks of this computer's tables, shown and not asserted:
//   vellacord_core_tests --gtest_also_run_disabled_tests
//       --gtest_filter='ThisComputerBenchmark.*'
// A home with 20,000 thumbnails and a recently-used.xbel of 100,000
// bookmarks, read through the catalogue's sources as the recall reads them.
#include "TestHome.h"
#include "evidence/Machine.h"
#include "evidence/Sources.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "platform/WorkFile.h"
#include "tables/TableModel.h"
#include "thiscomputer/ThisComputer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace vc::testing {
namespace {

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The wall-clock seconds of a source's load; *cpu the processor's (the
// machine may be busy with other work).
double loadSeconds(const char* name, const Machine& machine, int* rows, double* cpu) {
    const SourceSpec& decl = sourceAt(sourceIndex(QString::fromLatin1(name)));
    auto table = makeSourceTable(decl);
    WorkFile work;
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuSeconds();
    bool first = true;
    for (const UserProfile* user : sourceUsers(decl, &machine)) {
        SourceInput input;
        input.machine = &machine;
        input.user = user;
        input.workFile = &work;
        UserRows sink(*table, userCell(user, decl.encoding), first, sourceHasUserColumn(decl));
        first = false;
        decl.load(input, LoadContext(), sink);
    }
    *rows = table->rows();
    *cpu = cpuSeconds() - cpuStart;
    return timer.nsecsElapsed() / 1e9;
}

TEST(ThisComputerBenchmark, DISABLED_TwentyThousandThumbnailsAndAHundredThousandBookmarks) {
    fillDefaultInterfaceTexts();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.path() + QStringLiteral("/home/alice");
    for (int i = 0; i < 20000; ++i) {
        const QByteArray uri =
            "file://" + home.toUtf8() + "/Pictures/p" + QByteArray::number(i) + ".jpg";
        writeFile(
            home +
                QStringLiteral("/.cache/thumbnails/normal/%1.png").arg(i, 32, 16, QLatin1Char('0')),
            thumbnailPng({{"Thumb::URI", uri},
                          {"Thumb::MTime", QByteArray::number(1700000000 + i)},
                          {"Thumb::Size", QByteArray::number(100000 + i)},
                          {"Software", "GNOME::ThumbnailFactory"}}));
    }
    QByteArray xbel = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\" "
                      "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
                      "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    for (int i = 0; i < 100000; ++i)
        xbel += "<bookmark href=\"file:///srv/docs/d" + QByteArray::number(i) +
                ".odt\" added=\"2024-03-01T09:15:02.123456Z\" modified=\"2024-03-02T10:00:00Z\" "
                "visited=\"2024-03-03T11:30:00Z\"><info><metadata "
                "owner=\"http://freedesktop.org\"><mime:mime-type "
                "type=\"application/vnd.oasis.opendocument.text\"/><bookmark:applications>"
                "<bookmark:application name=\"LibreOffice\" exec=\"&apos;soffice %u&apos;\" "
                "modified=\"2024-03-02T10:00:00Z\" count=\"3\"/></bookmark:applications>"
                "</metadata></info></bookmark>\n";
    xbel += "</xbel>\n";
    writeFile(home + QStringLiteral("/.local/share/recently-used.xbel"), xbel);

    ThisComputerPlaces places;
    places.currentHome = home;
    places.tempFolder = dir.path() + QStringLiteral("/no-temp");
    setThisComputerPlaces(places);
    const std::unique_ptr<Machine> machine = openThisComputer(places);
    int thumbnails = 0;
    int recent = 0;
    double thumbCpu = 0;
    double recentCpu = 0;
    const double thumbSeconds = loadSeconds("thumbnails", *machine, &thumbnails, &thumbCpu);
    const double recentSeconds = loadSeconds("recent", *machine, &recent, &recentCpu);
    resetThisComputerPlaces();
    std::printf("thumbnails: %d rows in %.3f s (processor %.3f s)\n", thumbnails, thumbSeconds,
                thumbCpu);
    std::printf("recently-used.xbel (%.1f MiB): %d rows in %.3f s (processor %.3f s)\n",
                xbel.size() / 1048576.0, recent, recentSeconds, recentCpu);
    std::printf("both: %.3f s (processor %.3f s)\n", thumbSeconds + recentSeconds,
                thumbCpu + recentCpu);
    EXPECT_EQ(thumbnails, 20000);
    EXPECT_EQ(recent, 100000);
}

} // namespace
} // namespace vc::testing
