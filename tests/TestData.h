#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Folder of the files the tests read (tests/data in the source tree).
inline QString testDataPath(const QString& name) {
    return QStringLiteral(VC_TEST_DATA_DIR) + QLatin1Char('/') + name;
}

// Folder of the bundled sample profiles.
inline QString samplesPath(const QString& name) {
    return QStringLiteral(VC_SAMPLES_DIR) + QLatin1Char('/') + name;
}

// The whole content of a file of tests/data (empty when it cannot be read).
inline QByteArray testDataBytes(const QString& name) {
    QFile file(testDataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
