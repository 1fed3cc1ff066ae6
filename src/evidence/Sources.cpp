#include "evidence/Sources.h"

#include "evidence/Machine.h"
#include "evidence/UserProfile.h"
#include "language/TextIds.h"
#include "platform/CodePage.h"

#include <QVarLengthArray>

namespace vc {

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

std::vector<TableColumn> sourceColumns(const SourceSpec& decl) {
    std::vector<TableColumn> columns = decl.columns();
    if (sourceHasUserColumn(decl))
        columns.push_back({TextUser, false, 0.06});
    return columns;
}

std::unique_ptr<TableModel> makeSourceTable(const SourceSpec& decl) {
    auto table =
        std::make_unique<TableModel>(QString::fromLatin1(decl.tableName), sourceColumns(decl));
    table->setCellEncoding(decl.encoding);
    return table;
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
