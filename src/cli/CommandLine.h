#pragma once

#include <QString>
#include <QStringList>

namespace vc {

// Everything the command line can say. Sub-commands read what concerns them.
struct CliOptions {
    QString command;        // "activity", "history", ... ; empty for the window
    QStringList positional; // INDEX_FILE, FOLDER ...
    // The evidence: a profile folder, the root of a Windows volume, a disk
    // image, or this computer; the users to read of a volume or an image
    // (folder names or SIDs).
    QString profile;
    QString volume;
    QStringList users;
    bool thisComputer = false;
    // --image FILE: a disk image; --partition N chooses its Windows volume
    // (the partition's number as listed; empty: the first), --snapshots
    // reads its volume shadow copies too.
    QString image;
    QString partition;
    bool snapshots = false;
    // --time-zone utc|local|machine|ZONE; empty: the machine's zone when its
    // hives name one, else local time (--utc: utc).
    QString timeZone;
    QString tsvFile;
    QString xmlFile;
    bool xmlFormat = false; // --xml given, with or without a file name
    QString dateFormat;
    bool utc = false;
    QString codepage;
    QString encoding; // --encoding utf-8|codepage; empty: see outputEncoding
    bool hashWalk = false;
    bool full = false;
    bool textFiles = false;
    QString sections;
    QString dateFrom;
    QString dateTo;
    bool outside = false;
    QString contains;
    QString notContains;
    bool useOr = false;
    QString outDir;
    // The timeline's files for Timesketch (JSONL, CSV) and plaso (l2tcsv).
    QString jsonlFile;
    QString timesketchCsvFile;
    QString l2tcsvFile;
    bool noExpiry = false; // the timeline without expiry times
    bool help = false;
    bool version = false;
};

// Exit statuses of the headless commands.
constexpr int kExitOk = 0;
constexpr int kExitInput = 1;
constexpr int kExitUsage = 2;

// Parses the arguments after the program name. False with *error set on a
// usage error (unknown option, missing value).
bool parseCommandLine(const QStringList& arguments, CliOptions& options, QString* error);

// True when the first argument names a headless sub-command.
bool isHeadlessCommand(const QString& firstArgument);

// Checks a command line that opens the window (no sub-command): the options
// must parse and apply, and nothing may stand outside an option (a word
// there is a misspelled sub-command). False with *error set.
bool checkWindowCommandLine(const QStringList& arguments, QString* error);

// True when a window can be shown: a display (X or Wayland) is named, or Qt
// is told which platform to use.
bool hasDisplay();

// Applies --date-format, --utc, --time-zone (all but "machine", which the
// evidence decides) and --codepage. False with *error on a bad value.
bool applyDisplayOptions(const CliOptions& options, QString* error);

QString usageText();

} // namespace vc
