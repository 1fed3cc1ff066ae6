#pragma once

#include "documents/FileServices.h"

#include <QFile>
#include <QList>
#include <QString>

// Stands in for the desktop: records every call, answers Open as told, and
// copies and deletes for real unless told to fail. Installs itself for its
// lifetime.
class FakeFileServices : public vc::FileServices {
public:
    struct Call {
        QString what;
        QString path;
        QString other;
        bool operator==(const Call&) const = default;
    };

    FakeFileServices() { m_previous = vc::setFileServices(this); }
    ~FakeFileServices() override { vc::setFileServices(m_previous); }

    vc::OpenResult open(const QString& target) override {
        calls.append({QStringLiteral("open"), target, {}});
        return openAnswer;
    }
    void openWith(const QString& path) override {
        calls.append({QStringLiteral("openWith"), path, {}});
    }
    bool showInFolder(const QString& path) override {
        calls.append({QStringLiteral("showInFolder"), path, {}});
        return folderShown;
    }
    void showProperties(const QString& path) override {
        calls.append({QStringLiteral("showProperties"), path, {}});
    }
    qint64 freeSpace(const QString& folder) override {
        calls.append({QStringLiteral("freeSpace"), folder, {}});
        return free;
    }
    bool copyFile(const QString& source, const QString& destination, QString* error) override {
        calls.append({QStringLiteral("copyFile"), source, destination});
        if (failCopy) {
            *error = QStringLiteral("device full");
            return false;
        }
        if (shortCopy) { // reports success but leaves a truncated copy
            QFile out(destination);
            out.open(QIODevice::WriteOnly | QIODevice::Truncate);
            out.write("x");
            return true;
        }
        return vc::copyFileWhole(source, destination, error);
    }
    bool removeFile(const QString& path, QString* error) override {
        calls.append({QStringLiteral("removeFile"), path, {}});
        if (failRemove) {
            *error = QStringLiteral("file is in use");
            return false;
        }
        return QFile::remove(path);
    }

    int count(const QString& what) const {
        int n = 0;
        for (const Call& c : calls)
            n += c.what == what;
        return n;
    }

    QList<Call> calls;
    vc::OpenResult openAnswer = vc::OpenResult::Opened;
    bool folderShown = true;
    qint64 free = -1;
    bool failCopy = false;
    bool shortCopy = false;
    bool failRemove = false;

private:
    vc::FileServices* m_previous = nullptr;
};
