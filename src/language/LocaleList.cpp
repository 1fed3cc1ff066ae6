#include "language/LocaleList.h"

#include "language/InterfaceTexts.h"
#include "platform/WindowsLocales.h"

#include <QLocale>

#include <algorithm>

namespace vc {

namespace {

// Whether another locale of the table shares language and territory but
// not the script, so that the name must say the script.
bool scriptTellsApart(const WindowsLocale& locale) {
    if (locale.script == QLocale::AnyScript)
        return false;
    const auto all = windowsLocales();
    return std::any_of(all.begin(), all.end(), [&](const WindowsLocale& other) {
        return other.language == locale.language && other.territory == locale.territory &&
               other.script != locale.script;
    });
}

// The region as Windows names it: regions and former countries that Qt has no
// territory for come from the tag ("en-029", "sr-Latn-CS"); the traditional
// sort order of Spanish is part of the name, as it is on Windows.
QString regionName(const WindowsLocale& locale) {
    const QLatin1String tag(locale.tag);
    if (tag.endsWith(QLatin1String("-029")))
        return QStringLiteral("Caribbean");
    if (tag.endsWith(QLatin1String("-CS")))
        return QStringLiteral("Serbia and Montenegro");
    if (locale.territory == QLocale::AnyTerritory)
        return QString();
    QString region = QLocale::territoryToString(locale.territory);
    if (tag.endsWith(QLatin1String("_tradnl")))
        region += QStringLiteral(", Traditional Sort");
    return region;
}

} // namespace

QString localeDisplayName(const WindowsLocale& locale) {
    QStringList details;
    if (scriptTellsApart(locale))
        details << QLocale::scriptToString(locale.script);
    const QString region = regionName(locale);
    if (!region.isEmpty())
        details << region;
    QString name = QLocale::languageToString(locale.language);
    if (!details.isEmpty())
        name += QStringLiteral(" (") + details.join(QStringLiteral(", ")) + QLatin1Char(')');
    return name;
}

QString LocaleNameFromAbbreviation(const QString& abbreviation) {
    for (const WindowsLocale& locale : windowsLocales())
        if (abbreviation.compare(QLatin1String(locale.abbreviation), Qt::CaseInsensitive) == 0)
            return localeDisplayName(locale);
    return QString();
}

QList<LocaleRow> localeRows() {
    QList<LocaleRow> rows;
    for (const WindowsLocale& locale : windowsLocales()) {
        LocaleRow row;
        row.ext = QLatin1String(locale.abbreviation);
        row.id = QLatin1Char('$') +
                 QStringLiteral("%1").arg(locale.lcid, 8, 16, QLatin1Char('0')).toUpper();
        row.localeId = QString::number(locale.lcid);
        row.name = localeDisplayName(locale);
        row.lcid = locale.lcid;
        rows.append(row);
    }
    return rows;
}

int LocaleListViewCompare(const LocaleRow& a, const LocaleRow& b, int column) {
    switch (column) {
    case kLocaleExt:
        return a.ext.compare(b.ext, Qt::CaseInsensitive);
    case kLocaleId:
    case kLocaleDecimalId:
        // The hexadecimal text is not compared: "$00000C0A" would sort
        // before "$0000040A" by its letters.
        return a.lcid < b.lcid ? -1 : a.lcid > b.lcid ? 1 : 0;
    case kLocaleName:
        return a.name.compare(b.name, Qt::CaseInsensitive);
    default:
        return 0;
    }
}

void sortLocaleRows(QList<LocaleRow>& rows, const SortState& state) {
    if (state.column < 0 || state.column >= kLocaleColumnCount)
        return;
    std::stable_sort(rows.begin(), rows.end(), [&](const LocaleRow& a, const LocaleRow& b) {
        const int order = LocaleListViewCompare(a, b, state.column);
        return state.ascending ? order < 0 : order > 0;
    });
}

int findLocaleRow(const QList<LocaleRow>& rows, const QString& abbreviation) {
    const QString wanted = abbreviation.toUpper();
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).ext.toUpper() == wanted)
            return i;
    return -1;
}

QStringList localizationHelpLines(const QString& supportAddress) {
    return {tx(TextLocalizeLine1) + QLatin1Char(':'),
            QStringLiteral("1. ") + tx(TextLocalizeLine2),
            QStringLiteral("2. ") + tx(TextLocalizeLine3),
            QStringLiteral("3. ") + tx(TextLocalizeLine4) + QStringLiteral(". ") +
                tx(TextLocalizeLine5),
            tx(TextLocalizeLine6),
            tx(TextSendYourFile) + QStringLiteral(": ") + supportAddress};
}

} // namespace vc
