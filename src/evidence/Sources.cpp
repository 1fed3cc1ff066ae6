#include "evidence/Sources.h"

#include "evidence/EvidenceFiles.h"
#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "evidence/image/DiskImage.h"
#include "language/InterfaceTexts.h"
#include "language/TextIds.h"
#include "platform/CodePage.h"
#include "platform/TimeValue.h"

#include <QVarLengthArray>

#include <unordered_set>

namespace vc {

const EvidenceFiles& sourceFiles(const SourceInput& input) {
    if (input.user)
        return input.user->files();
    return input.machine ? input.machine->files() : localEvidenceFiles();
}

int sourceCount() {
    return int(sourceCatalogue().size());
}

const SourceSpec& sourceAt(int index) {
    return sourceCatalogue().at(size_t(index));
}

int sourceIndex(const QString& name) {
    const std::vector<SourceSpec>& all = sourceCatalogue();
    for (size_t i = 0; i < all.size(); ++i)
        if (name == QLatin1String(all[i].name))
            return int(i);
    return -1;
}

int sourceIndexOfLetter(char letter) {
    const std::vector<SourceSpec>& all = sourceCatalogue();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].letter == letter)
            return int(i);
    return -1;
}

bool sourceHasUserColumn(const SourceSpec& decl) {
    return decl.scope != SourceScope::Machine;
}

std::vector<TableColumn> sourceColumns(const SourceSpec& decl, bool snapshotColumn,
                                       bool deletedColumn) {
    std::vector<TableColumn> columns = decl.columns();
    if (sourceHasUserColumn(decl))
        columns.push_back({TextUser, false, 0.06});
    if (deletedColumn)
        columns.push_back({TextDeleted, false, 0.06});
    if (snapshotColumn)
        columns.push_back({TextSnapshot, true, 0.10});
    return columns;
}

std::unique_ptr<TableModel> makeSourceTable(const SourceSpec& decl, bool snapshotColumn,
                                            bool deletedColumn) {
    auto table = std::make_unique<TableModel>(QString::fromLatin1(decl.tableName),
                                              sourceColumns(decl, snapshotColumn, deletedColumn));
    table->setCellEncoding(decl.encoding);
    return table;
}

bool hasSnapshotColumn(const Machine* machine) {
    return machine && !machine->snapshots().empty();
}

bool hasDeletedColumn(const SourceSpec& decl, const Machine* machine) {
    return decl.entryPath && machine && !machine->files().isLocal();
}

QString rowPathCell(const QByteArrayView* cells, int count, int column, CellEncoding encoding) {
    if (column < 0 || column >= count)
        return QString();
    return encoding == CellEncoding::Utf8 ? QString::fromUtf8(cells[column])
                                          : decodeEvidence(cells[column]);
}

void fitSourceTable(TableModel& table, const SourceSpec& decl, const Machine* machine) {
    const std::vector<TableColumn> columns =
        sourceColumns(decl, hasSnapshotColumn(machine), hasDeletedColumn(decl, machine));
    const std::vector<TableColumn>& now = table.columnSpecs();
    const bool same = std::equal(columns.begin(), columns.end(), now.begin(), now.end(),
                                 [](const TableColumn& a, const TableColumn& b) {
                                     return a.captionText == b.captionText && a.isDate == b.isDate;
                                 });
    if (!same)
        table.setColumns(columns);
}

namespace {

// The rows of the live volume and of each snapshot into one table: every
// row gets the "Snapshot" cell (empty for the live volume), and a
// snapshot's row whose cells equal a row given before is left out, so that
// what the snapshots add stands out. Rows are told apart by a 64-bit hash
// of their cells.
class SnapshotRows : public RowSink {
public:
    SnapshotRows(RowSink& rows, std::unordered_set<quint64>& seen) : m_rows(rows), m_seen(seen) {}
    void setSnapshot(const QByteArray& cell, bool live) {
        m_cell = cell;
        m_live = live;
        m_added = 0;
    }
    qint64 added() const { return m_added; }
    int columns() const override { return std::max(0, m_rows.columns() - 1); }
    void appendCells(const QByteArrayView* cells, int count) override {
        const int own = columns();
        quint64 hash = 1469598103934665603ull;
        QVarLengthArray<QByteArrayView, 32> row(own + 1);
        for (int c = 0; c < own; ++c) {
            row[c] = c < count ? cells[c] : QByteArrayView();
            hash = (hash ^ quint64(qHash(row[c], 0x9e3779b9u))) * 1099511628211ull;
            hash = (hash ^ quint64(row[c].size())) * 1099511628211ull;
        }
        if (!m_seen.insert(hash).second && !m_live)
            return;
        row[own] = m_cell;
        m_rows.appendCells(row.constData(), own + 1);
        ++m_added;
    }
    void clearRows() override { m_rows.clearRows(); }
    void beginRows() override { m_rows.beginRows(); }
    void endRows() override { m_rows.endRows(); }

private:
    RowSink& m_rows;
    std::unordered_set<quint64>& m_seen;
    QByteArray m_cell;
    bool m_live = true;
    qint64 m_added = 0;
};

// Gives every row of a user the "Deleted" cell: "deleted" where the file
// the row names is a deleted entry of the user's files (a live entry of the
// same name is the one the listing gives, so such a row stays unmarked).
class DeletedRows : public RowSink {
public:
    DeletedRows(RowSink& rows, const SourceSpec& decl, const UserProfile* user,
                const EvidenceFiles& files)
        : m_rows(rows), m_decl(decl), m_user(user), m_files(files) {}
    int columns() const override { return std::max(0, m_rows.columns() - 1); }
    void appendCells(const QByteArrayView* cells, int count) override {
        const int own = columns();
        QVarLengthArray<QByteArrayView, 32> row(own + 1);
        for (int c = 0; c < own; ++c)
            row[c] = c < count ? cells[c] : QByteArrayView();
        const QString path = m_decl.entryPath(cells, count, m_user);
        bool deleted = false;
        if (!path.isEmpty())
            if (const std::optional<EvidenceEntry> entry =
                    m_files.entry(EvidenceFiles::pathBytes(path)))
                deleted = entry->deleted;
        row[own] = deleted ? QByteArrayView(kDeletedCell) : QByteArrayView();
        m_rows.appendCells(row.constData(), own + 1);
    }
    void clearRows() override { m_rows.clearRows(); }
    void beginRows() override { m_rows.beginRows(); }
    void endRows() override { m_rows.endRows(); }

private:
    RowSink& m_rows;
    const SourceSpec& m_decl;
    const UserProfile* m_user;
    const EvidenceFiles& m_files;
};

} // namespace

MachineLoad loadFromMachine(const SourceSpec& decl, const SourceInput& input,
                            const LoadContext& context, RowSink& rows) {
    MachineLoad result;
    const Machine* machine = input.machine;
    const bool snapshots = hasSnapshotColumn(machine);
    const bool deletedColumn = hasDeletedColumn(decl, machine);
    std::unordered_set<quint64> seen;
    SnapshotRows snapshotRows(rows, seen);
    RowSink& sink = snapshots ? static_cast<RowSink&>(snapshotRows) : rows;
    bool first = true;
    // One pass over a machine's users (the live volume's or a snapshot's).
    const auto loadUsers = [&](const Machine* from) {
        for (const UserProfile* user : sourceUsers(decl, from)) {
            SourceInput one = input;
            one.machine = from;
            one.user = user;
            DeletedRows deletedRows(sink, decl, user, sourceFiles(one));
            UserRows userRows(deletedColumn ? static_cast<RowSink&>(deletedRows) : sink,
                              userCell(user, decl.encoding), first, sourceHasUserColumn(decl));
            first = false;
            const SourceOutcome outcome = decl.load(one, context, userRows);
            result.stopRun = result.stopRun || outcome.stopRun;
            result.found = result.found || outcome.found;
            result.outcomes.append(outcome);
            if (!outcome.loaded) {
                result.loaded = false;
                return false;
            }
        }
        return true;
    };
    snapshotRows.setSnapshot(QByteArray(), true);
    if (!loadUsers(machine) || !snapshots)
        return result;
    for (const MachineSnapshot& snapshot : machine->snapshots()) {
        QByteArray cell;
        appendTimeCell(snapshot.created, cell);
        snapshotRows.setSnapshot(cell, false);
        const bool loaded = loadUsers(snapshot.machine.get());
        result.snapshotRows.push_back(snapshotRows.added());
        if (!loaded || result.stopRun)
            break;
    }
    return result;
}

QStringList snapshotSummary(const Machine* machine, const MachineLoad& load) {
    QStringList lines;
    if (!machine)
        return lines;
    const std::vector<MachineSnapshot>& snapshots = machine->snapshots();
    for (size_t i = 0; i < snapshots.size() && i < load.snapshotRows.size(); ++i)
        lines << tx(TextSnapshotAdded)
                     .arg(snapshots[i].number)
                     .arg(fileTimeUtcText(quint64(snapshots[i].created.raw)))
                     .arg(load.snapshotRows[i]);
    return lines;
}

QByteArray userCell(const UserProfile* user, CellEncoding encoding) {
    if (!user)
        return QByteArray();
    return encoding == CellEncoding::Utf8 ? user->name().toUtf8() : encodeEvidence(user->name());
}

std::vector<const UserProfile*> sourceUsers(const SourceSpec& decl, const Machine* machine) {
    std::vector<const UserProfile*> users;
    if (machine && decl.scope != SourceScope::Machine)
        for (const std::unique_ptr<UserProfile>& user : machine->users())
            users.push_back(user.get());
    if (users.empty() || decl.scope == SourceScope::UserAndMachine)
        users.push_back(nullptr);
    return users;
}

UserRows::UserRows(RowSink& rows, const QByteArray& userCell, bool first, bool addsUser)
    : m_rows(rows), m_user(userCell), m_mayClear(first), m_addsUser(addsUser) {}

int UserRows::columns() const {
    return m_addsUser ? std::max(0, m_rows.columns() - 1) : m_rows.columns();
}

void UserRows::appendCells(const QByteArrayView* cells, int count) {
    if (!m_addsUser) {
        m_rows.appendCells(cells, count);
        return;
    }
    const int own = columns();
    QVarLengthArray<QByteArrayView, 32> row(own + 1);
    for (int c = 0; c < own; ++c)
        row[c] = c < count ? cells[c] : QByteArrayView();
    row[own] = m_user;
    m_rows.appendCells(row.constData(), own + 1);
}

void UserRows::clearRows() {
    if (m_mayClear)
        m_rows.clearRows();
    m_mayClear = false;
}

} // namespace vc
