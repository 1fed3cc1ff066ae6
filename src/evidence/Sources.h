#pragma once

#include "platform/LoadContext.h"
#include "tables/TableModel.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace vc {

class EvidenceFiles;
class Machine;
class RowSink;
class UserProfile;
class WorkFile;

// Whom a source reads: one user's profile, the whole machine (the Recycle
// Bin), or each user and then the machine once (Programs run: every user's
// UserAssist, then the volume's Prefetch files).
enum class SourceScope { User, Machine, UserAndMachine };

// The texts a source leaves around its table.
enum class SourceLabel {
    Count,     // "Records: n" (Label1, ieH_Label, ...)
    Condition, // the conditions of a recall (SearchCondLabel1..)
    Files,     // the Cookie tab's "Cookie Files: n"
    Directory, // the folder read (History and Cookie tabs)
    IndexFile, // the Activity tab's index file panel
};

// What one load is given besides the rows' sink and the load context.
struct SourceInput {
    const Machine* machine = nullptr;
    // The user read; nullptr for a source of the whole machine, and for this
    // computer without a Windows user.
    const UserProfile* user = nullptr;
    WorkFile* workFile = nullptr;
    // Cache index files: every 128-byte block (true) or the hash tables.
    bool linearScan = true;
    // "Full history": every index file of the history tree.
    bool fullHistory = false;
};

// The files a load reads: the user's, else the machine's, else this
// machine's folders (this computer without a Windows user).
const EvidenceFiles& sourceFiles(const SourceInput& input);

// What one load came to.
struct SourceOutcome {
    // False: the load could not begin (a work file that cannot be made, a
    // list that cannot be read); reported, and the table keeps what the
    // loads before it gave.
    bool loaded = true;
    // The recall stops after this source (its report is made).
    bool stopRun = false;
    // False: the source found nothing to read for this user (no index file).
    bool found = true;
    // More for the summary after the count ("Cookie Files: 3").
    QString summaryExtra;
    struct Label {
        SourceLabel label;
        QString text;
        QString hint;
    };
    QList<Label> labels;
    int fileCount = 0; // the Cookie tab's cookie text files
    // What a sub-command's XML export names as its title when not the
    // evidence (the favorites folder read).
    QString title;
};

using SourceLoader = SourceOutcome (*)(const SourceInput& input, const LoadContext& context,
                                       RowSink& rows);

// What the detail pane shows of a row of a source that describes its rows
// itself.
struct SourceRowView {
    QString text;  // the memo: one field or fact a line
    QString panel; // the line above it (the row's address or path)
    // The file of the evidence the row names (the machine's files), for the
    // preview and the file actions; empty when it names none or the file is
    // gone.
    QByteArray file;
    // The bytes of a picture the row holds itself (a cached response's
    // body), with a name whose extension says its kind; empty: none.
    QByteArray picture;
    QString pictureName;
};
using SourceRowViewer = SourceRowView (*)(const TableModel& table, int row, const Machine* machine);

// The file of the evidence a row of a file table names (its path in the
// user's files), from the row's cells as the loader gives them; empty when
// the row names none.
using SourceEntryPath = QString (*)(const QByteArrayView* cells, int count,
                                    const UserProfile* user);

// The widgets of a source's tab, by the names the window layout knows.
struct SourceWidgets {
    const char* sheet;      // "ieA_TabSheet"
    const char* countLabel; // "Label1"
    const char* condLabel;  // "SearchCondLabel1"
    const char* pane;       // "ieA_BotPanel"
    const char* memo;       // "Memo1"
    const char* filePanel;  // "InternetURLPanel"
    const char* imagePanel; // "ImgPanel"; empty: no picture preview
    const char* image;      // "Image1"
    int imageWidth = 0;
    int imageHeight = 0;
};

// One source of the program, declared once: the window's tabs and menu
// loads, the recall (its window's list, --sections, the files of --out, the
// summary), the sub-commands, --help and the timeline are all made from it.
struct SourceSpec {
    // The short name: the recall's output file ("activity" gives
    // activity.txt) and the sub-command that reads the source from the
    // evidence (empty: none, the source has a sub-command of its own).
    const char* name;
    const char* command;
    // The recall's letter (--sections).
    char letter;
    // The outer tab (its interface text) and the source's own tab.
    int groupText;
    int tabText;
    // The table's name (the window layout's list view).
    const char* tableName;
    SourceWidgets widgets;
    // The table's columns before the trailing "User" column, and how its
    // text cells are held.
    std::vector<TableColumn> (*columns)();
    CellEncoding encoding;
    SourceScope scope;
    // The count label's text ("Records", "Files").
    int countText;
    // The summary's text when no user had anything to read (-1: the count
    // stands), and the text of a count of files read besides the rows
    // ("Cookie Files"; -1: none).
    int notFoundText;
    int filesText;
    // The recall's bookkeeping of the sources the program has always had:
    // the summary line ends after the source, and the overall bar steps
    // once more at its end.
    bool endsSummaryLine;
    bool stepsOverallAtEnd;
    SourceLoader load;
    // The detail pane of a row; nullptr for the sources whose pane the
    // window lays out itself.
    SourceRowViewer rowView;
    // For the tables of files a folder listing gives (the temporary files,
    // the Recent folder, the favorites, the cookie files): the file a row
    // names, so that a deleted entry a disk image still lists is marked in
    // the trailing "Deleted" column. nullptr: the rows name no such file.
    SourceEntryPath entryPath = nullptr;
};

// The number of sources of the catalogue (the catalogue checks that it
// holds this many).
constexpr int kSourceCount = 16;

// Every source, in the order of the tabs (and of the recall).
const std::vector<SourceSpec>& sourceCatalogue();
int sourceCount();
const SourceSpec& sourceAt(int index);
// The index of a source by its name or its letter; -1 when none.
int sourceIndex(const QString& name);
int sourceIndexOfLetter(char letter);

// Whether a source's rows end with the "User" cell: every source but those
// of the whole machine, whose rows name their user themselves if at all.
bool sourceHasUserColumn(const SourceSpec& decl);
// The columns of a source's table: its own, then "User" where it has one,
// then "Deleted" where the machine's files list deleted entries and the
// source names files ("deleted" on the rows of such entries), then
// "Snapshot" when the machine read has shadow copies (the copy's creation
// time; empty on the live volume's rows).
std::vector<TableColumn> sourceColumns(const SourceSpec& decl, bool snapshotColumn = false,
                                       bool deletedColumn = false);
// An empty table of a source, named and encoded as the window's.
std::unique_ptr<TableModel> makeSourceTable(const SourceSpec& decl, bool snapshotColumn = false,
                                            bool deletedColumn = false);
// Whether a source's tables of this machine end with "Snapshot".
bool hasSnapshotColumn(const Machine* machine);
// Whether a source's tables of this machine have the "Deleted" column: a
// disk image, whose file system still lists deleted entries.
bool hasDeletedColumn(const SourceSpec& decl, const Machine* machine);
// The cell of a deleted entry in the "Deleted" column.
inline constexpr char kDeletedCell[] = "deleted";
// A path cell of a row, decoded as the table holds it (empty when the row
// is shorter).
QString rowPathCell(const QByteArrayView* cells, int count, int column, CellEncoding encoding);
// Gives a source's table the columns it has on this machine; when they
// change, its rows go.
void fitSourceTable(TableModel& table, const SourceSpec& decl, const Machine* machine);

// What loading a source from a machine came to: the outcome of each load
// (each user, or the machine once; then the same for each snapshot).
struct MachineLoad {
    QList<SourceOutcome> outcomes;
    // False: a load could not begin (see SourceOutcome::loaded); the loads
    // after it were not made.
    bool loaded = true;
    bool stopRun = false;
    bool found = false;
    // The rows each snapshot of the machine added (rows equal to one the
    // live volume or an older snapshot gave are left out).
    std::vector<qint64> snapshotRows;
};
// Loads a source from input.machine into rows: every user in turn (or the
// machine once, see sourceUsers), then the machine's snapshots the same way,
// each row with the trailing "Snapshot" cell where the table has it. The
// other fields of input (work file, scan choices) are every load's.
MachineLoad loadFromMachine(const SourceSpec& decl, const SourceInput& input,
                            const LoadContext& context, RowSink& rows);
// "Shadow copy 1 (2013-10-27 08:40:12 UTC): 12 rows added", a line for each
// snapshot; empty without snapshots.
QStringList snapshotSummary(const Machine* machine, const MachineLoad& load);
// The "User" cell of a user's rows in a table of that encoding (empty for
// no user).
QByteArray userCell(const UserProfile* user, CellEncoding encoding);

// The users a source reads on a machine: every user for a source of one
// user; nobody (one load with no user) for a source of the machine, and for
// a machine without users (this computer); every user and then nobody for a
// source of both.
std::vector<const UserProfile*> sourceUsers(const SourceSpec& decl, const Machine* machine);

// A sink that gives every row the user's name as its last cell ("User"),
// and lets only the first load of a table empty it: the loads of several
// users fill one table one after the other.
class UserRows : public RowSink {
public:
    // userCell: the user's name as the table's text cells hold it;
    // addsUser false: the table has no "User" column, the rows pass as they
    // are.
    UserRows(RowSink& rows, const QByteArray& userCell, bool first, bool addsUser = true);
    int columns() const override;
    void appendCells(const QByteArrayView* cells, int count) override;
    void clearRows() override;
    void beginRows() override { m_rows.beginRows(); }
    void endRows() override { m_rows.endRows(); }

private:
    RowSink& m_rows;
    QByteArray m_user;
    bool m_mayClear;
    bool m_addsUser;
};

} // namespace vc
