#pragma once

#include <QString>

// Folder of the files the tests read (tests/data in the source tree).
inline QString testDataPath(const QString& name) {
    return QStringLiteral(VC_TEST_DATA_DIR) + QLatin1Char('/') + name;
}

// Folder of the bundled sample profiles.
inline QString samplesPath(const QString& name) {
    return QStringLiteral(VC_SAMPLES_DIR) + QLatin1Char('/') + name;
}
