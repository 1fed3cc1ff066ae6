// vellacord recall --profile DIR [--sections a,h,c,l,r,t,w,d,k] [--date-from D] [--date-to D]
//     [--outside] [--contains TEXT | --not-contains TEXT] [--or] --out DIR [--xml]
#include "cli/CommandHelpers.h"
#include "cli/CommandRecall.h"
#include "cli/Commands.h"
#include "cli/TableOutput.h"
#include "language/InterfaceTexts.h"
#include "recall/RecallSections.h"

#include <QDir>

#include <cstdio>

namespace vc {

int runRecallCommand(const CliOptions& options) {
    if (!CommandEvidence::given(options) || options.outDir.isEmpty() ||
        !options.positional.isEmpty())
        return usageError(
            QStringLiteral("recall needs --profile DIR (or --volume DIR, --image FILE or "
                           "--this-computer) and --out DIR"));
    if (!options.tsvFile.isEmpty())
        return usageError(QStringLiteral("recall writes one file per section into --out DIR; "
                                         "--tsv does not apply"));

    CommandRecall sources;
    if (const int opened = sources.open(options); opened != kExitOk)
        return opened;
    const QDir out(options.outDir);
    if (!QDir().mkpath(out.absolutePath())) {
        std::fprintf(stderr, "vellacord: cannot create the folder %s\n",
                     qPrintable(options.outDir));
        return kExitInput;
    }

    int status = sources.run();

    const bool xml = options.xmlFormat;
    for (int section : sources.gathered()) {
        CliOptions file = options;
        const QString path = out.filePath(recallSectionName(section) +
                                          (xml ? QStringLiteral(".xml") : QStringLiteral(".txt")));
        file.xmlFile = xml ? path : QString();
        file.tsvFile = xml ? QString() : path;
        const QString title =
            recallOuterCaption(section) + QStringLiteral(": ") + recallSectionCaption(section);
        const int written = writeTableOutput(sources.table(section), file, title);
        if (written != kExitOk)
            status = written;
    }
    std::fputs(sources.summary().toLocal8Bit().constData(), stdout);
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return status;
}

} // namespace vc
