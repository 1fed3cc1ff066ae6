#include "platform/WorkFile.h"

#include <QDir>

namespace vc {

WorkFile::WorkFile()
    : m_dir(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/vellacord-XXXXXX")) {
    if (m_dir->isValid()) {
        QFile::setPermissions(m_dir->path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_fileName = m_dir->filePath(QStringLiteral("d!ummy.t~"));
    }
}

WorkFile::~WorkFile() {
    close();
    remove();
}

bool WorkFile::createOrEmpty() {
    close();
    if (m_fileName.isEmpty())
        return false;
    m_file.setFileName(m_fileName);
    return m_file.open(QIODevice::ReadWrite | QIODevice::Truncate);
}

void WorkFile::close() {
    if (m_file.isOpen())
        m_file.close();
}

QList<QByteArray> WorkFile::readLines() const {
    return readFileLines(m_fileName);
}

QList<QByteArray> readFileLines(const QString& path) {
    QFile in(path);
    if (path.isEmpty() || !in.open(QIODevice::ReadOnly))
        return {};
    return splitTextLines(in.readAll());
}

void WorkFile::remove() {
    if (!m_fileName.isEmpty())
        QFile::remove(m_fileName);
}

QList<QByteArray> splitTextLines(const QByteArray& text) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = text.size();
        qsizetype stop = end;
        if (!last && stop > start && text[stop - 1] == '\r')
            --stop;
        lines.append(text.mid(start, stop - start));
        start = end + 1;
    }
    return lines;
}

} // namespace vc
