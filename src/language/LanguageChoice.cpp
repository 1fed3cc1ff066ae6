#include "language/LanguageChoice.h"

#include "language/LanguageFiles.h"
#include "language/LocaleList.h"
#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vc {

namespace {

const QString kEnglishAbbreviation = QStringLiteral("ENU");

// The "*.lang" files of a folder, letter case of the extension ignored as
// on Windows, in name order.
QFileInfoList languageFilesIn(const QString& folder) {
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("*.lang")});
    dir.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name);
    return dir.entryInfoList();
}

} // namespace

QList<LanguageEntry> languageMenuEntries(const QStringList& folders) {
    QList<QFileInfo> files;
    for (const QString& folder : folders)
        files += languageFilesIn(folder);
    if (files.isEmpty())
        return {};

    QList<LanguageEntry> entries;
    QString english = LocaleNameFromAbbreviation(kEnglishAbbreviation);
    if (english.isEmpty())
        english = QStringLiteral("English");
    entries.append({QStringLiteral("LangItem_ENU"), QStringLiteral("en"), english, QString()});

    QSet<QString> seen;
    for (const QFileInfo& file : files) {
        const QString base = file.completeBaseName();
        QString caption = LocaleNameFromAbbreviation(base);
        if (caption.isEmpty() || seen.contains(base.toUpper()))
            continue;
        seen.insert(base.toUpper());
        if (base.compare(kEnglishAbbreviation, Qt::CaseInsensitive) == 0)
            caption += QStringLiteral(" - 2");
        entries.append(
            {QStringLiteral("LangItem_") + base, file.fileName(), caption, file.filePath()});
    }
    return entries;
}

int selectedLanguageEntry(const QList<LanguageEntry>& entries, const QString& languageCode) {
    const QString wanted = languageCode.toUpper();
    for (int i = 1; i < entries.size(); ++i)
        if (QFileInfo(entries.at(i).hint).completeBaseName().toUpper() == wanted)
            return i;
    return 0;
}

QString languageChoiceValue(const QString& language) {
    return QFileInfo(language).completeBaseName();
}

bool chooseLanguage(const LanguageEntry& entry, const QStringList& folders) {
    const bool loaded = LoadInterfaceTexts(entry.hint, folders);
    RegistryAccess(RegistryRoot::CurrentUser, kOwnSettingsKey, QStringLiteral("Language"),
                   languageChoiceValue(entry.hint), QStringLiteral("write"));
    return loaded;
}

} // namespace vc
