#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <string>

// Sets environment variables for the life of the object and puts the old
// values back.
class EnvironmentGuard {
public:
    EnvironmentGuard() = default;
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
    void set(const char* name, const QString& value) {
        remember(name);
        qputenv(name, value.toLocal8Bit());
    }
    void unset(const char* name) {
        remember(name);
        qunsetenv(name);
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }

private:
    void remember(const char* name) {
        if (m_saved.count(name))
            return;
        m_saved[name] =
            qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    std::map<std::string, std::optional<QByteArray>> m_saved;
};

// Every file and folder below a folder with its size, modification time
// and content, one line each: equal snapshots mean nothing was added or
// changed there.
inline QStringList folderSnapshot(const QString& folder) {
    QStringList state;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString line = info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                       info.lastModified().toString(Qt::ISODateWithMs);
        QFile file(info.filePath());
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            line +=
                ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
        state << line;
    }
    state.sort();
    return state;
}
