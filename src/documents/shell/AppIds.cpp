#include "documents/shell/AppIds.h"

namespace vc {

namespace {

struct AppId {
    const char* id;
    const char* name;
};

// Application ids as forensic references commonly publish them (an id is a
// CRC-64 of the program's path or its explicit application id, so it is the
// same on every machine for the same program and location). Ids not here
// show as their hexadecimal number alone.
constexpr AppId kAppIds[] = {
    {"1b4dd67f29cb1962", "Windows Explorer"},
    {"f01b4d95cf55d32a", "Windows Explorer"},
    {"5f7b5f1e01b83767", "Quick Access"},
    {"9b9cdc69c1c24e2b", "Notepad (64-bit)"},
    {"918e0ecb43d17e23", "Notepad (32-bit)"},
    {"12dc1ea8e34b5a6", "Paint"},
    {"28c8b86deab549a1", "Internet Explorer"},
    {"5d696d521de238c3", "Google Chrome"},
    {"1bc392b8e104a00e", "Remote Desktop Connection"},
    {"a7bd71699cd38d1c", "Microsoft Word 2010"},
    {"9839aec31243a928", "Microsoft Excel 2010"},
    {"9c7cc110ff56d1bd", "Microsoft PowerPoint 2010"},
};

bool isHex(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!(u >= u'0' && u <= u'9') && !(u >= u'a' && u <= u'f'))
            return false;
    }
    return !text.isEmpty();
}

} // namespace

QString jumpListAppId(const QString& fileName) {
    const QString id = fileName.section(QLatin1Char('.'), 0, 0).toLower();
    return isHex(id) && id.size() <= 16 ? id : QString();
}

QString jumpListAppName(const QString& appId) {
    for (const AppId& app : kAppIds)
        if (appId.compare(QLatin1String(app.id), Qt::CaseInsensitive) == 0)
            return QLatin1String(app.name);
    return QString();
}

} // namespace vc
