#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "tables/ExportEncoding.h"

namespace vc {

bool isHeadlessCommand(const QString& firstArgument) {
    return findCommand(firstArgument) != nullptr || firstArgument == QLatin1String("--help") ||
           firstArgument == QLatin1String("-h") || firstArgument == QLatin1String("--version");
}

bool parseCommandLine(const QStringList& arguments, CliOptions& options, QString* error) {
    struct ValueOption {
        const char* name;
        QString CliOptions::*field;
    };
    static const ValueOption kValues[] = {
        {"--profile", &CliOptions::profile},    {"--tsv", &CliOptions::tsvFile},
        {"--xml", &CliOptions::xmlFile},        {"--date-format", &CliOptions::dateFormat},
        {"--codepage", &CliOptions::codepage},  {"--sections", &CliOptions::sections},
        {"--date-from", &CliOptions::dateFrom}, {"--date-to", &CliOptions::dateTo},
        {"--contains", &CliOptions::contains},  {"--not-contains", &CliOptions::notContains},
        {"--out", &CliOptions::outDir},         {"--encoding", &CliOptions::encoding},
    };
    struct FlagOption {
        const char* name;
        bool CliOptions::*field;
    };
    static const FlagOption kFlags[] = {
        {"--utc", &CliOptions::utc},         {"--hash-walk", &CliOptions::hashWalk},
        {"--full", &CliOptions::full},       {"--text-files", &CliOptions::textFiles},
        {"--outside", &CliOptions::outside}, {"--or", &CliOptions::useOr},
        {"--help", &CliOptions::help},       {"-h", &CliOptions::help},
        {"--version", &CliOptions::version},
    };

    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        bool known = false;
        // "recall ... --out DIR --xml" asks for XML files without naming one.
        if (arg == QLatin1String("--xml") &&
            (i + 1 >= arguments.size() || arguments.at(i + 1).startsWith(QLatin1String("--")))) {
            options.xmlFormat = true;
            continue;
        }
        if (arg == QLatin1String("--xml") || arg.startsWith(QLatin1String("--xml=")))
            options.xmlFormat = true;
        for (const ValueOption& v : kValues) {
            QString name = QLatin1String(v.name);
            if (arg == name) {
                if (i + 1 >= arguments.size()) {
                    *error = QStringLiteral("option %1 needs a value").arg(name);
                    return false;
                }
                options.*v.field = arguments.at(++i);
                known = true;
            } else if (arg.startsWith(name + QLatin1Char('='))) {
                options.*v.field = arg.mid(name.size() + 1);
                known = true;
            }
        }
        for (const FlagOption& f : kFlags)
            if (arg == QLatin1String(f.name)) {
                options.*f.field = true;
                known = true;
            }
        if (known)
            continue;
        if (arg.startsWith(QLatin1String("--")) ||
            (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)) {
            *error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
        if (options.command.isEmpty() && options.positional.isEmpty() && findCommand(arg))
            options.command = arg;
        else
            options.positional << arg;
    }
    if (options.xmlFormat && options.xmlFile.isEmpty() &&
        options.command != QLatin1String("recall")) {
        *error = QStringLiteral("option --xml needs a value");
        return false;
    }
    if (!options.tsvFile.isEmpty() && options.xmlFormat) {
        *error = QStringLiteral("give either --tsv or --xml, not both");
        return false;
    }
    ExportEncoding encoding;
    if (!options.encoding.isEmpty() && !parseExportEncoding(options.encoding, &encoding)) {
        *error =
            QStringLiteral("unknown encoding %1 (known: utf-8, codepage)").arg(options.encoding);
        return false;
    }
    if (!options.contains.isEmpty() && !options.notContains.isEmpty()) {
        *error = QStringLiteral("give either --contains or --not-contains, not both");
        return false;
    }
    return true;
}

bool checkWindowCommandLine(const QStringList& arguments, QString* error) {
    CliOptions options;
    if (!parseCommandLine(arguments, options, error))
        return false;
    if (!options.positional.isEmpty()) {
        *error = QStringLiteral("unknown command %1").arg(options.positional.constFirst());
        return false;
    }
    if (!options.codepage.isEmpty() && !isKnownCodePage(options.codepage)) {
        *error = QStringLiteral("unknown code page %1 (known: %2)")
                     .arg(options.codepage, knownCodePages().join(QStringLiteral(", ")));
        return false;
    }
    return true;
}

bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return true;
    }
    return false;
}

bool applyDisplayOptions(const CliOptions& options, QString* error) {
    if (!options.codepage.isEmpty() && !setSourceCodePage(options.codepage)) {
        *error = QStringLiteral("unknown code page %1 (known: %2)")
                     .arg(options.codepage, knownCodePages().join(QStringLiteral(", ")));
        return false;
    }
    if (!options.dateFormat.isEmpty())
        setDateTimeFormat(options.dateFormat);
    setShowsUtc(options.utc);
    return true;
}

QString usageText() {
    return QStringLiteral(
        "usage:\n"
        "  vellacord [--profile DIR]                        open the window\n"
        "  vellacord activity INDEX_FILE [--hash-walk]      Activity table of one index file\n"
        "  vellacord history FOLDER [--full]                History table\n"
        "  vellacord cookies FOLDER [--text-files]          Cookie table\n"
        "  vellacord favorites|recent|temp --profile DIR    Links, recent documents, temporary "
        "files\n"
        "  vellacord web-history|web-downloads|web-cookies --profile DIR\n"
        "                                                   Chrome, Edge and Firefox history,\n"
        "                                                   downloads, cookies\n"
        "  vellacord recall --profile DIR [--sections a,h,c,l,r,t,w,d,k]\n"
        "          [--date-from D] [--date-to D] [--outside]\n"
        "          [--contains TEXT | --not-contains TEXT] [--or] --out DIR [--xml]\n"
        "      --date-from D alone: from that day on; --date-to D alone: up to that day;\n"
        "      both: that range, both days included (dates YYYY-MM-DD); --outside: the\n"
        "      rows whose date falls outside it\n"
        "      sections: a activity, h history, c cookie, l links, r recent documents,\n"
        "      t temporary files, w web history, d web downloads, k web cookies\n"
        "common options: --tsv FILE | --xml FILE (default: tab-delimited to stdout),\n"
        "  --date-format FMT, --utc, --codepage NAME, --help, --version\n"
        "  --encoding utf-8|codepage: the text of tab-delimited output; default: UTF-8 on\n"
        "      standard output when the locale is UTF-8, else the table's own (the code\n"
        "      page for the Internet Explorer and document tables, UTF-8 for the browsers')\n"
        "exit status: 0 success, 1 an input cannot be read, 2 usage error\n");
}

} // namespace vc
