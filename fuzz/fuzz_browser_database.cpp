// A browser database (SQLite) that is damaged as the fuzzer likes: copied
// privately and read through the loader by every reader of the three tables
// of its browser (Firefox's when it names a moz_ table anywhere, Chrome's
// otherwise: each copy costs, and the other browser's readers find no table
// at once). Every row has its table's cells; a load names every database it
// could not read whole.
#include "FuzzInput.h"
#include "browsers/BrowserColumns.h"
#include "browsers/BrowserLoad.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/RowSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdlib>

namespace {

// A folder with a link to the input under the name the loader copies.
struct DatabaseFolder {
    DatabaseFolder() {
        if (!dir.isValid())
            std::abort();
        path = dir.filePath(QStringLiteral("History"));
        if (::symlink(QFile::encodeName(input.path()).constData(),
                      QFile::encodeName(path).constData()) != 0)
            std::abort();
    }
    QTemporaryDir dir;
    vc::fuzz::InputFile input;
    QString path;
};

class CheckingSink : public vc::RowSink {
public:
    explicit CheckingSink(int columns) : m_columns(columns) {}
    int columns() const override { return m_columns; }
    void appendCells(const QByteArrayView*, int count) override {
        if (count != m_columns)
            std::abort();
    }
    void clearRows() override {}

private:
    int m_columns;
};

struct Counting : vc::Reporter {
    void error(const QString&) override { ++reports; }
    void warning(const QString&) override { ++reports; }
    int reports = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    // The private copies go to memory, not to the disk.
    if (QDir(QStringLiteral("/dev/shm")).exists())
        ::setenv("TMPDIR", "/dev/shm", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static DatabaseFolder folder;
    folder.input.set(data, size);
    using Kind = vc::BrowserDatabaseKind;
    const auto database = [](vc::Browser browser, Kind kind) {
        return vc::BrowserDatabase{browser, kind, QStringLiteral("Default"), folder.path,
                                   QString()};
    };
    const QList<vc::BrowserDatabase> all{database(vc::Browser::Chrome, Kind::ChromeHistory),
                                         database(vc::Browser::Chrome, Kind::ChromeCookies),
                                         database(vc::Browser::Firefox, Kind::FirefoxPlaces),
                                         database(vc::Browser::Firefox, Kind::FirefoxDownloads),
                                         database(vc::Browser::Firefox, Kind::FirefoxCookies)};
    for (vc::BrowserTable table :
         {vc::BrowserTable::History, vc::BrowserTable::Downloads, vc::BrowserTable::Cookies}) {
        Counting reporter;
        vc::LoadContext context;
        context.report = &reporter;
        CheckingSink sink(int(vc::browserTableColumns(table).size()));
        const vc::BrowserLoadResult result = vc::loadBrowserTable(table, all, context, sink);
        if (result.failures > result.databases || reporter.reports < result.failures)
            std::abort();
    }
    return 0;
}
