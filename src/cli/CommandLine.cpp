#include "cli/CommandLine.h"

#include "cli/Commands.h"
#include "evidence/Sources.h"
#include "platform/CodePage.h"
#include "platform/DisplayZone.h"
#include "platform/TimeText.h"
#include "tables/ExportEncoding.h"

namespace vc {

bool isHeadlessCommand(const QString& firstArgument) {
    return isCommandName(firstArgument) || firstArgument == QLatin1String("--help") ||
           firstArgument == QLatin1String("-h") || firstArgument == QLatin1String("--version");
}

bool parseCommandLine(const QStringList& arguments, CliOptions& options, QString* error) {
    struct ValueOption {
        const char* name;
        QString CliOptions::*field;
    };
    static const ValueOption kValues[] = {
        {"--profile", &CliOptions::profile},
        {"--tsv", &CliOptions::tsvFile},
        {"--xml", &CliOptions::xmlFile},
        {"--date-format", &CliOptions::dateFormat},
        {"--codepage", &CliOptions::codepage},
        {"--sections", &CliOptions::sections},
        {"--date-from", &CliOptions::dateFrom},
        {"--date-to", &CliOptions::dateTo},
        {"--contains", &CliOptions::contains},
        {"--not-contains", &CliOptions::notContains},
        {"--out", &CliOptions::outDir},
        {"--encoding", &CliOptions::encoding},
        {"--volume", &CliOptions::volume},
        {"--time-zone", &CliOptions::timeZone},
        {"--jsonl", &CliOptions::jsonlFile},
        {"--timesketch-csv", &CliOptions::timesketchCsvFile},
        {"--l2tcsv", &CliOptions::l2tcsvFile},
        {"--image", &CliOptions::image},
        {"--partition", &CliOptions::partition},
    };
    struct FlagOption {
        const char* name;
        bool CliOptions::*field;
    };
    static const FlagOption kFlags[] = {
        {"--utc", &CliOptions::utc},
        {"--hash-walk", &CliOptions::hashWalk},
        {"--full", &CliOptions::full},
        {"--text-files", &CliOptions::textFiles},
        {"--outside", &CliOptions::outside},
        {"--or", &CliOptions::useOr},
        {"--help", &CliOptions::help},
        {"-h", &CliOptions::help},
        {"--version", &CliOptions::version},
        {"--this-computer", &CliOptions::thisComputer},
        {"--snapshots", &CliOptions::snapshots},
        {"--no-expiry", &CliOptions::noExpiry},
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
        // --user NAME may be given again for each user.
        if (arg == QLatin1String("--user")) {
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("option --user needs a value");
                return false;
            }
            options.users << arguments.at(++i);
            continue;
        }
        if (arg.startsWith(QLatin1String("--user="))) {
            options.users << arg.mid(7);
            continue;
        }
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
        if (options.command.isEmpty() && options.positional.isEmpty() && isCommandName(arg))
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
    const int evidence = int(!options.profile.isEmpty()) + int(!options.volume.isEmpty()) +
                         int(!options.image.isEmpty()) + int(options.thisComputer);
    if (evidence > 1) {
        *error = QStringLiteral("give one of --profile, --volume, --image and --this-computer");
        return false;
    }
    if (!options.users.isEmpty() && options.volume.isEmpty() && options.image.isEmpty()) {
        *error = QStringLiteral("--user chooses users of a --volume or an --image");
        return false;
    }
    if ((options.snapshots || !options.partition.isEmpty()) && options.image.isEmpty()) {
        *error = QStringLiteral("--partition and --snapshots go with --image");
        return false;
    }
    if (!options.partition.isEmpty()) {
        bool number = false;
        const int partition = options.partition.toInt(&number);
        if (!number || partition < 1) {
            *error = QStringLiteral("--partition needs the number of a partition (1, 2, ...)");
            return false;
        }
    }
    if (!options.timeZone.isEmpty() && options.utc &&
        options.timeZone.compare(QLatin1String("utc"), Qt::CaseInsensitive) != 0) {
        *error = QStringLiteral("give either --utc or --time-zone, not both");
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
    const QString zone = options.utc ? QStringLiteral("utc") : options.timeZone;
    if (zone.compare(QLatin1String("machine"), Qt::CaseInsensitive) == 0 || zone.isEmpty()) {
        // The evidence decides (the machine's zone, else local time).
        setDisplayZone(DisplayZone::Local);
        return true;
    }
    if (zone.compare(QLatin1String("utc"), Qt::CaseInsensitive) == 0) {
        setDisplayZone(DisplayZone::Utc);
        return true;
    }
    if (zone.compare(QLatin1String("local"), Qt::CaseInsensitive) == 0) {
        setDisplayZone(DisplayZone::Local);
        return true;
    }
    if (!setDisplayZone(DisplayZone::Named, zone)) {
        *error = QStringLiteral("unknown time zone %1 (utc, local, machine or a zone such as "
                                "Europe/Prague)")
                     .arg(zone);
        return false;
    }
    return true;
}

QString usageText() {
    // The sub-commands of the catalogue's sources, and their recall letters.
    QString sources;
    QString line = QStringLiteral("    ");
    for (const QString& name : sourceCommandNames()) {
        if (line.size() + name.size() + 1 > 78) {
            sources += line + QLatin1Char('\n');
            line = QStringLiteral("    ");
        }
        line += name + QLatin1Char(' ');
    }
    sources += line.trimmed().isEmpty() ? QString() : line + QLatin1Char('\n');
    QString letters;
    for (int s = 0; s < sourceCount(); ++s)
        letters += QStringLiteral("%1%2 %3")
                       .arg(s == 0 ? QString() : QStringLiteral(", "))
                       .arg(QLatin1Char(sourceAt(s).letter))
                       .arg(QLatin1String(sourceAt(s).name));
    return QStringLiteral(
               "usage:\n"
               "  vellacord [EVIDENCE]                             open the window (reading every "
               "table of it)\n"
               "  vellacord activity INDEX_FILE [--hash-walk]      Activity table of one index "
               "file\n"
               "  vellacord history FOLDER [--full]                History table\n"
               "  vellacord cookies FOLDER [--text-files]          Cookie table\n"
               "      (activity, history and cookies also take EVIDENCE in place of the file or\n"
               "      folder: every user's own)\n"
               "  vellacord SOURCE EVIDENCE                        the table of a source, every "
               "user of the evidence:\n") +
           sources +
           QStringLiteral(
               "  vellacord recall EVIDENCE [--sections LETTERS]\n"
               "          [--date-from D] [--date-to D] [--outside]\n"
               "          [--contains TEXT | --not-contains TEXT] [--or] --out DIR [--xml]\n"
               "          [--full]\n"
               "      --full: every index file of the Internet Explorer history, not the first\n"
               "      --date-from D alone: from that day on; --date-to D alone: up to that day;\n"
               "      both: that range, both days included (dates YYYY-MM-DD); --outside: the\n"
               "      rows whose date falls outside it\n"
               "      sections: ") +
           letters +
           QStringLiteral("\n"
                          "  vellacord timeline EVIDENCE [the recall's --sections and conditions]\n"
                          "          [--jsonl FILE] [--timesketch-csv FILE] [--l2tcsv FILE]\n"
                          "          [--no-expiry] [--full]\n"
                          "      every time of every source as one table sorted by time; the\n"
                          "      files for Timesketch and plaso in UTC (the table without them);\n"
                          "      --no-expiry leaves out the expiry times of cookies and caches") +
           QStringLiteral(
               "\n"
               "EVIDENCE: --profile DIR (one Windows user profile folder)\n"
               "  | --volume DIR [--user NAME]... (the root of a Windows volume: every user, or\n"
               "      those named by folder name or SID) | --this-computer (this Linux computer:\n"
               "      your home folder, as root every home; and the temporary folder)\n"
               "  | --image FILE [--partition N] [--snapshots] [--user NAME]... (a disk image:\n"
               "      raw or split raw, E01, VMDK, VHD, VHDX, QCOW2; its first Windows volume or\n"
               "      partition N; --snapshots: its volume shadow copies too)\n"
               "common options: --tsv FILE | --xml FILE (default: tab-delimited to stdout),\n"
               "  --date-format FMT, --codepage NAME, --help, --version\n"
               "  --time-zone utc|local|machine|ZONE: the zone times are shown in (default: the\n"
               "      examined machine's, where its hives name one, else local); --utc: UTC\n"
               "  --encoding utf-8|codepage: the text of tab-delimited output; default: UTF-8 on\n"
               "      standard output when the locale is UTF-8, else the table's own (the code\n"
               "      page for the Internet Explorer and document tables, UTF-8 for the "
               "browsers')\n"
               "exit status: 0 success, 1 an input cannot be read, 2 usage error\n");
}

} // namespace vc
