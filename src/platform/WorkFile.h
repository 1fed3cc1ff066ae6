#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vc {

// The temporary text file through which every index-file loader passes its
// rows: one tab-separated line per accepted record. It keeps its traditional
// name "d!ummy.t~" but lives in a private folder made for this run (mode
// 0700, named after the process: "vellacord-PID-XXXXXX"), so nobody can
// plant a link under that name. The folder holds a lock file the process
// keeps locked while it lives; folder and file are removed when the object
// goes, and a folder left by a process that ended without removing it (a
// crash, a kill) is removed by the next run (RemoveStaleWorkFolders).
class WorkFile {
public:
    WorkFile();
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Full path of the work file; empty when no private folder could be made.
    QString fileName() const { return m_fileName; }

    // Removes the file of the last walk and creates it anew for reading and
    // writing: exclusively, never through a link, readable by the owner
    // only. False when that fails (the caller shows text 149).
    bool createOrEmpty();
    bool isOpen() const { return m_file.isOpen(); }
    QIODevice* device() { return m_file.isOpen() ? &m_file : nullptr; }
    void close();

    // Deletes the file (not the folder); a missing file is no error.
    void remove();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_fileName;
    QFile m_file;
    int m_lockFd = -1;
};

// Lines handed out one at a time, for a table fill that never holds them all.
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line, valid until the next call; false after the last one.
    virtual bool next(QByteArrayView& line) = 0;
    // How far the lines have been read and how far they reach, in one unit
    // (bytes of a file, lines of a list): the progress of a fill.
    virtual qint64 position() const = 0;
    virtual qint64 size() const = 0;
};

// Reads a text file line by line through one buffer, so that memory stays
// the size of the buffer and the longest line however large the file is.
// Lines end at LF; one CR before the LF is dropped; the text after the last
// LF is a line when it is not empty (as reading a text file line by line
// gives them).
class TextLines : public LineSource {
public:
    explicit TextLines(const QString& path);
    // False when the file cannot be opened (then there are no lines).
    bool isOpen() const { return m_file.isOpen(); }
    bool next(QByteArrayView& line) override;
    // Bytes of the file passed so far, and its size when opened.
    qint64 position() const override { return m_position; }
    qint64 size() const override { return m_size; }

private:
    bool refill();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_start = 0; // first byte of the buffer not yet handed out
    qint64 m_position = 0;
    qint64 m_size = 0;
    bool m_atEnd = false;
};

} // namespace vc
