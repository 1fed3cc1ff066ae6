#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// A file of the source tree, by its path from the tree's top.
inline QString sourceTreePath(const QString& relative) {
    return QDir::cleanPath(QStringLiteral(VC_TEST_DATA_DIR) + QStringLiteral("/../../") + relative);
}

// The language files shipped with the program (lang/ of the source tree).
inline QString shippedLanguageFolder() {
    return sourceTreePath(QStringLiteral("lang")) + QLatin1Char('/');
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "Text 0", "Text 1", ... one a line, with the given line ending; the last
// line ends with it only when finalBreak is set.
inline QByteArray numberedLines(int count, const QByteArray& lineEnd, bool finalBreak) {
    QByteArray bytes;
    for (int k = 0; k < count; ++k) {
        bytes += "Text " + QByteArray::number(k);
        if (k + 1 < count || finalBreak)
            bytes += lineEnd;
    }
    return bytes;
}
