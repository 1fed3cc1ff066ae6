// A cookie text file: its records read into work-file lines, and the lines
// into the Cookie table, as the window does.
#include "FuzzInput.h"
#include "cache/CookieTable.h"
#include "cache/CookieTextFile.h"
#include "platform/LoadContext.h"
#include "platform/Reporter.h"
#include "tables/LineFill.h"
#include "tables/TableColumns.h"
#include "tables/TableModel.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vc::fuzz::fixSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static vc::fuzz::InputFile file;
    file.set(data, size);
    QBuffer work;
    work.open(QIODevice::ReadWrite);
    vc::CollectingReporter report;
    vc::LoadContext context;
    context.report = &report;
    if (!vc::ReadCookieFile(file.path(), "joe@example[1].txt", work, context))
        std::abort();
    const QList<QByteArray> lines = work.data().split('\n');
    vc::TableModel table(QStringLiteral("ieC_ListView"), vc::cookieColumns());
    vc::ListLines source(lines);
    vc::FillCookieRowsFromFiles(source, table, nullptr, 50);
    // Every record is one line of seven fields: a tab or line break of the
    // file never splits one.
    for (int row = 0; row + 1 < table.rows(); ++row) {
        if (table.packedRow(row).count('\0') != 6)
            std::abort();
    }
    return 0;
}
