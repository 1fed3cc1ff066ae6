#include "platform/Registry.h"

#include "platform/Hive.h"
#include "platform/Messages.h"
#include "platform/WindowsLocales.h"

#include <QSettings>

#include <algorithm>

namespace vc {

namespace {

std::optional<QLocale> g_examinerLocale;

const QString kSettingsGroup = QStringLiteral("Sys");

bool sameKey(const QString& a, const QString& b) {
    const QStringList x = splitKeyPath(a);
    const QStringList y = splitKeyPath(b);
    if (x.size() != y.size())
        return false;
    for (qsizetype i = 0; i < x.size(); ++i)
        if (x[i].compare(y[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

// The program's own settings; the registry on Windows, an INI file elsewhere.
QSettings ownSettings() {
    return QSettings(QStringLiteral("Ostravane"), QStringLiteral("Vellacord"));
}

bool ownKeyExists() {
    QSettings settings = ownSettings();
    const QStringList groups = settings.childGroups();
    return std::any_of(groups.cbegin(), groups.cend(), [](const QString& group) {
        return group.compare(kSettingsGroup, Qt::CaseInsensitive) == 0;
    });
}

// Value names match without regard to letter case, as in the registry.
QString readOwnValue(const QString& valueName) {
    QSettings settings = ownSettings();
    settings.beginGroup(kSettingsGroup);
    const QStringList keys = settings.childKeys();
    QString found;
    for (const QString& key : keys) {
        if (key == valueName)
            return settings.value(key).toString();
        if (found.isNull() && key.compare(valueName, Qt::CaseInsensitive) == 0)
            found = key;
    }
    return found.isNull() ? QString() : settings.value(found).toString();
}

void writeOwnValue(const QString& valueName, const QString& value) {
    QSettings settings = ownSettings();
    settings.beginGroup(kSettingsGroup);
    const QStringList keys = settings.childKeys();
    QString name = valueName;
    for (const QString& key : keys)
        if (key.compare(valueName, Qt::CaseInsensitive) == 0)
            name = key;
    settings.setValue(name, value);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        showError(QStringLiteral("Cannot write the settings file:\n%1").arg(settings.fileName()));
}

// The evidence's hives are read by their profile and machine
// (evidence/UserProfile, evidence/Machine); here only the program's own
// settings and the examiner's locale answer.
QString readValue(RegistryRoot root, const QString& keyPath, const QString& valueName) {
    if (root != RegistryRoot::CurrentUser)
        return QString();
    if (sameKey(keyPath, kOwnSettingsKey))
        return ownKeyExists() ? readOwnValue(valueName) : QString();
    if (sameKey(keyPath, kInternationalKey) &&
        valueName.compare(QLatin1String("sLanguage"), Qt::CaseInsensitive) == 0)
        return windowsAbbreviation(examinerLocale());
    return QString();
}

} // namespace

QLocale examinerLocale() {
    return g_examinerLocale ? *g_examinerLocale : QLocale::system();
}

void setExaminerLocale(const std::optional<QLocale>& locale) {
    g_examinerLocale = locale;
}

QString RegistryAccess(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& valueToWrite, const QString& mode) {
    if (mode == QLatin1String("read"))
        return readValue(root, keyPath, valueName);
    // Evidence is never written: only the program's own key takes values.
    if (mode == QLatin1String("write") && root == RegistryRoot::CurrentUser &&
        sameKey(keyPath, kOwnSettingsKey))
        writeOwnValue(valueName, valueToWrite);
    return QString();
}

bool RegistryKeyExists(RegistryRoot root, const QString& keyPath) {
    if (root != RegistryRoot::CurrentUser)
        return false;
    if (sameKey(keyPath, kOwnSettingsKey))
        return ownKeyExists();
    return sameKey(keyPath, kInternationalKey);
}

} // namespace vc
