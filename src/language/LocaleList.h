#pragma once

#include "tables/SortState.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace vc {

struct WindowsLocale;

// One row of the locale list: the three-letter abbreviation that names a
// language file, the identifier as "$" and 8 upper-case hexadecimal digits
// and in decimal, and the display name.
struct LocaleRow {
    QString ext;
    QString id;
    QString localeId;
    QString name;
    uint32_t lcid = 0;
};

// The columns of the locale list.
enum LocaleColumn { kLocaleExt = 0, kLocaleId, kLocaleDecimalId, kLocaleName };
constexpr int kLocaleColumnCount = 4;

// The display name of a Windows locale in the English words Windows uses:
// language, then territory in brackets ("German (Austria)"), with the script
// where the same language and territory have several ("Serbian (Latin,
// Serbia)").
QString localeDisplayName(const WindowsLocale& locale);

// The display name of the first locale whose abbreviation equals the
// argument, letter case ignored; the empty text when none does.
QString LocaleNameFromAbbreviation(const QString& abbreviation);

// One row per locale the program knows, in the order of its locale table.
QList<LocaleRow> localeRows();

// Compares two rows by a column, for ascending order (negative when a comes
// first): the abbreviation and the name as text without regard to letter
// case, both identifier columns by the number.
int LocaleListViewCompare(const LocaleRow& a, const LocaleRow& b, int column);

// Sorts by the state's column and direction; rows that compare equal keep
// their order. An unsorted state leaves the rows as they are.
void sortLocaleRows(QList<LocaleRow>& rows, const SortState& state);

// The first row whose abbreviation equals the argument, both upper-cased;
// -1 when there is none.
int findLocaleRow(const QList<LocaleRow>& rows, const QString& abbreviation);

// The six lines of instructions above the list, from the interface texts.
QStringList localizationHelpLines(const QString& supportAddress);

} // namespace vc
