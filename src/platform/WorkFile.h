#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vc {

// The temporary text file through which every index-file loader passes its
// rows: one tab-separated line per accepted record. It keeps its traditional
// name "d!ummy.t~" but lives in a private folder made for this run (mode
// 0700), so nobody can plant a link under that name; folder and file are
// removed when the object goes.
class WorkFile {
public:
    WorkFile();
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Full path of the work file; empty when no private folder could be made.
    QString fileName() const { return m_fileName; }

    // Creates or empties the file and opens it for reading and writing.
    // False when that fails (the caller shows text 149).
    bool createOrEmpty();
    bool isOpen() const { return m_file.isOpen(); }
    QIODevice* device() { return m_file.isOpen() ? &m_file : nullptr; }
    void close();

    // Every line of the closed file, without line ends.
    QList<QByteArray> readLines() const;
    // Deletes the file (not the folder); a missing file is no error.
    void remove();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_fileName;
    QFile m_file;
};

// Every line of a text file, without line ends; empty when it cannot be read.
QList<QByteArray> readFileLines(const QString& path);

// Splits a text into lines at LF, dropping one CR before each LF and a
// trailing empty line, as reading a text file line by line does.
QList<QByteArray> splitTextLines(const QByteArray& text);

} // namespace vc
