#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <optional>

// What an XML spreadsheet holds, read back with an XML parser.
struct ParsedSheet {
    bool wellFormed = false;
    QString error;
    QString sheetName;
    QString expandedColumnCount;
    QString expandedRowCount;
    QList<QStringList> rows; // the texts of the Data elements of each Row
};

inline ParsedSheet parseSheet(const QByteArray& bytes) {
    ParsedSheet sheet;
    QXmlStreamReader xml(bytes);
    QStringList* row = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("Worksheet")) {
            sheet.sheetName = xml.attributes().value(QStringLiteral("ss:Name")).toString();
        } else if (name == QLatin1String("Table")) {
            sheet.expandedColumnCount =
                xml.attributes().value(QStringLiteral("ss:ExpandedColumnCount")).toString();
            sheet.expandedRowCount =
                xml.attributes().value(QStringLiteral("ss:ExpandedRowCount")).toString();
        } else if (name == QLatin1String("Row")) {
            sheet.rows.append(QStringList());
            row = &sheet.rows.last();
        } else if (name == QLatin1String("Data") && row) {
            row->append(xml.readElementText());
        }
    }
    sheet.wellFormed = !xml.hasError();
    sheet.error = xml.errorString();
    return sheet;
}

inline QByteArray readAllOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// xmllint's verdict on a file: nullopt when xmllint is not installed, else
// its messages (empty when the file is well-formed).
inline std::optional<QString> xmllintProblems(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess lint;
    lint.start(tool, {QStringLiteral("--noout"), path});
    lint.waitForFinished(60000);
    const QString said = QString::fromLocal8Bit(lint.readAllStandardError());
    if (lint.exitStatus() != QProcess::NormalExit || lint.exitCode() != 0)
        return said.isEmpty() ? QStringLiteral("xmllint failed") : said;
    return QString();
}

// Every line of a text ends with CR LF (no bare LF or CR).
inline bool allLinesEndCrLf(const QByteArray& bytes) {
    if (!bytes.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))
            return false;
    }
    return true;
}

// Fails the test when xmllint is installed and finds the file malformed.
inline void expectXmllintClean(const QString& path) {
    const std::optional<QString> problems = xmllintProblems(path);
    if (problems) {
        EXPECT_TRUE(problems->isEmpty()) << problems->toStdString();
    }
}
