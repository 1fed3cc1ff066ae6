#include "thiscomputer/LinuxRecent.h"

#include "documents/LinesToTable.h"
#include "documents/RecentCollection.h"
#include "documents/RecentRow.h"
#include "documents/RowLine.h"
#include "evidence/EvidenceFiles.h"
#include "evidence/UserProfile.h"
#include "language/InterfaceTexts.h"
#include "thiscomputer/DesktopFiles.h"

#include <QMap>
#include <QXmlStreamReader>

#include <algorithm>

namespace vc {

namespace {

// A desktop entry file is small; a larger one is not read.
constexpr qint64 kMaxDesktopEntry = 64 * 1024;
// Entry files of one RecentDocuments folder read at most.
constexpr int kMaxKdeEntries = 100000;
// Applications of one bookmark kept at most.
constexpr qsizetype kMaxApplications = 1000;
// PickList documents kept at most (LibreOffice keeps 25 by default).
constexpr int kMaxPickList = 10000;

quint64 fileTimeOfIso(QByteArrayView text) {
    const std::optional<qint64> micro = isoTimeMicroseconds(text);
    return micro ? fileTimeOfMicroseconds(*micro) : 0;
}

// The name, path and local file of a row from the address an entry names.
void placeAddress(RecentRow& row, const QByteArray& address) {
    const QByteArray local = localPathOfFileUri(address);
    row.path = local.isEmpty() ? address : local;
    QByteArray name = fileNamePart(row.path.endsWith('/') ? row.path.chopped(1) : row.path);
    if (name.isEmpty())
        name = row.path;
    row.name = name;
    row.extension = extensionPart(name);
}

// A problem of one file, for the collection's message.
void noteProblem(RecentCollection& collection, const QByteArray& path, const QString& error,
                 bool unreadable) {
    collection.problem(EvidenceFiles::pathText(path) +
                           (error.isEmpty() ? QString() : QStringLiteral(": ") + error),
                       unreadable);
}

} // namespace

void collectRecentlyUsedXbel(RecentCollection& collection, const EvidenceFiles& files,
                             const QByteArray& path) {
    if (!files.isFile(path))
        return;
    const QByteArray source = "recently-used.xbel";
    RecentRow row;
    QByteArray mime;
    QList<QPair<QByteArray, qint64>> applications;
    bool inBookmark = false;
    int bookmarks = 0;
    const auto finish = [&] {
        qint64 total = 0;
        QByteArrayList parts;
        for (const auto& [name, count] : applications) {
            parts << name + " (" + QByteArray::number(count) + ')';
            total += count;
        }
        row.applications = parts.join(", ");
        if (!applications.isEmpty())
            row.accessCount = double(total);
        if (!mime.isEmpty())
            row.note(QString::fromUtf8(mime));
        collection.add(row);
    };
    const auto onToken = [&](QXmlStreamReader& xml) {
        if (xml.isEndElement() && inBookmark && xml.name() == QLatin1String("bookmark")) {
            inBookmark = false;
            finish();
            return true;
        }
        if (!xml.isStartElement())
            return true;
        const QStringView name = xml.name();
        const bool bookmark = name == QLatin1String("bookmark");
        const bool mimeType = inBookmark && name == QLatin1String("mime-type");
        const bool application = inBookmark && name == QLatin1String("application") &&
                                 applications.size() < kMaxApplications;
        // Only these three elements' attributes are read (and copied).
        if (!bookmark && !mimeType && !application)
            return true;
        const QXmlStreamAttributes a = xml.attributes();
        if (bookmark) {
            if (++bookmarks > kMaxRecentBookmarks)
                return false;
            row = RecentRow();
            row.source = source;
            mime.clear();
            applications.clear();
            inBookmark = true;
            placeAddress(row, a.value(QLatin1String("href")).toUtf8());
            if (files.isFile(row.path))
                row.localFile = row.path;
            row.addedTime = fileTimeOfIso(a.value(QLatin1String("added")).toLatin1());
            row.recordedTime = fileTimeOfIso(a.value(QLatin1String("modified")).toLatin1());
            row.visitedTime = fileTimeOfIso(a.value(QLatin1String("visited")).toLatin1());
        } else if (mimeType) {
            mime = a.value(QLatin1String("type")).toUtf8();
        } else {
            applications.append({a.value(QLatin1String("name")).toUtf8(),
                                 a.value(QLatin1String("count")).toLongLong()});
        }
        return true;
    };
    QString error;
    const bool read = readXmlFile(files, path, onToken, &error);
    if (!read)
        noteProblem(collection, path, error, bookmarks == 0);
}

void collectKdeRecentDocuments(RecentCollection& collection, const EvidenceFiles& files,
                               const QByteArray& folder) {
    std::vector<EvidenceEntry> entries;
    if (!files.list(folder, entries, nullptr))
        return;
    std::sort(entries.begin(), entries.end(),
              [](const EvidenceEntry& a, const EvidenceEntry& b) { return a.name < b.name; });
    int read = 0;
    for (const EvidenceEntry& entry : entries) {
        if (entry.type != EntryType::File || !entry.name.endsWith(".desktop"))
            continue;
        if (++read > kMaxKdeEntries)
            break;
        const QByteArray path = joinPath(folder, entry.name);
        QByteArray text;
        if (files.readWhole(path, kMaxDesktopEntry, &text) != EvidenceReadStatus::Ok) {
            noteProblem(collection, path, QString(), true);
            continue;
        }
        const QByteArray url = desktopEntryValue(text, "Desktop Entry", "URL");
        if (url.isEmpty()) {
            noteProblem(collection, path, QString(), false);
            continue;
        }
        RecentRow row;
        row.source = "KDE RecentDocuments";
        placeAddress(row, url);
        // The entry file's own times: it was written when the file was used.
        row.localFile = path;
        if (entry.modified)
            row.recordedTime = fileTimeOfMicroseconds(secondsSince1970(*entry.modified) * 1000000);
        row.applications = desktopEntryValue(text, "Desktop Entry", "X-KDE-LastOpenedWith");
        collection.add(row);
    }
}

void collectLibreOfficePickList(RecentCollection& collection, const EvidenceFiles& files,
                                const QByteArray& path) {
    if (!files.isFile(path))
        return;
    static const QString pickList = QStringLiteral("HistoryInfo['PickList']");
    // The documents in the order the file lists them, their titles, and
    // their places in the menu (OrderList).
    QList<QByteArray> documents;
    QMap<QByteArray, QByteArray> titles;
    QMap<QByteArray, int> positions;
    QString itemPath;
    QString propName;
    bool inValue = false;
    QString error;
    const auto bracketed = [](const QString& text, const QString& after) {
        const qsizetype start = text.indexOf(after);
        if (start < 0)
            return QString();
        const qsizetype open = text.indexOf(QLatin1String("['"), start + after.size());
        const qsizetype close = text.lastIndexOf(QLatin1String("']"));
        if (open < 0 || close <= open)
            return QString();
        return text.mid(open + 2, close - open - 2);
    };
    const bool read = readXmlFile(
        files, path,
        [&](QXmlStreamReader& xml) {
            if (xml.isStartElement()) {
                if (xml.name() == QLatin1String("item")) {
                    itemPath = xml.attributes().value(QLatin1String("oor:path")).toString();
                    if (!itemPath.contains(pickList))
                        itemPath.clear();
                } else if (xml.name() == QLatin1String("prop")) {
                    propName = xml.attributes().value(QLatin1String("oor:name")).toString();
                } else if (xml.name() == QLatin1String("value")) {
                    inValue = !itemPath.isEmpty();
                }
            } else if (xml.isCharacters() && inValue) {
                const QByteArray value = xml.text().toUtf8();
                if (itemPath.contains(QLatin1String("/OrderList/")) &&
                    propName == QLatin1String("HistoryItemRef")) {
                    const int position =
                        bracketed(itemPath, QStringLiteral("HistoryOrder")).toInt();
                    if (!positions.contains(value) && positions.size() < kMaxPickList)
                        positions.insert(value, position);
                } else if (itemPath.contains(QLatin1String("/ItemList/")) &&
                           propName == QLatin1String("Title")) {
                    const QByteArray url =
                        bracketed(itemPath, QStringLiteral("HistoryItem")).toUtf8();
                    if (!titles.contains(url) && titles.size() < kMaxPickList)
                        titles.insert(url, value);
                }
            } else if (xml.isEndElement()) {
                if (xml.name() == QLatin1String("value"))
                    inValue = false;
                else if (xml.name() == QLatin1String("item")) {
                    if (itemPath.contains(QLatin1String("/ItemList/"))) {
                        const QByteArray url =
                            bracketed(itemPath, QStringLiteral("HistoryItem")).toUtf8();
                        if (!url.isEmpty() && !documents.contains(url) &&
                            documents.size() < kMaxPickList)
                            documents << url;
                    }
                    itemPath.clear();
                }
            }
            return true;
        },
        &error);
    if (!read)
        noteProblem(collection, path, error, documents.isEmpty());
    // Documents the order names but the item list does not, too.
    for (auto it = positions.constBegin(); it != positions.constEnd(); ++it)
        if (!documents.contains(it.key()) && documents.size() < kMaxPickList)
            documents << it.key();
    for (const QByteArray& url : documents) {
        RecentRow row;
        row.source = "LibreOffice PickList";
        placeAddress(row, url);
        if (files.isFile(row.path))
            row.localFile = row.path;
        row.mruPosition = positions.value(url, -1);
        row.applications = "LibreOffice";
        if (titles.contains(url))
            row.note(QString::fromUtf8(titles.value(url)));
        collection.add(row);
    }
}

void loadLinuxRecentDocuments(const UserProfile& home, const LoadContext& context, RowSink& rows) {
    QList<QByteArray> lines;
    LoadContext reading = context;
    reading.share = context.share / 2;
    const EvidenceFiles& files = home.files();
    const QByteArray folder = EvidenceFiles::pathBytes(home.folder());
    {
        RecentCollection collection(home, QString(), reading, lines);
        collectRecentlyUsedXbel(collection, files,
                                joinPath(folder, QByteArray(".local/share/recently-used.xbel")));
        collection.progressTo(0.6);
        collectKdeRecentDocuments(collection, files,
                                  joinPath(folder, QByteArray(".local/share/RecentDocuments")));
        collection.progressTo(0.8);
        for (const char* place :
             {".config/libreoffice/4/user/registrymodifications.xcu",
              "snap/libreoffice/current/.config/libreoffice/4/user/registrymodifications.xcu",
              ".var/app/org.libreoffice.LibreOffice/config/libreoffice/4/user/"
              "registrymodifications.xcu"})
            collectLibreOfficePickList(collection, files, joinPath(folder, QByteArray(place)));
        collection.progressTo(1.0);
        collection.report();
    }
    context.noteInputRead();
    LinesToTable(lines, rows, context.progress, context.share - reading.share);
}

} // namespace vc
