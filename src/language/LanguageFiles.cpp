#include "language/LanguageFiles.h"

#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/InstallPaths.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace vc {

namespace {

// Bytes kept of one line: the longest text in UTF-8 (up to four bytes a
// character) and the carriage return before the line feed.
constexpr qsizetype kMaxLineBytes = 4 * kMaxLanguageLineLength + 1;

struct RawLine {
    QByteArray bytes;
    bool cut = false; // the line was longer than kMaxLineBytes
};

// Reads the next line without its line ending; a line too long to keep is
// cut and the rest of it read past. False at the end of the file.
bool readRawLine(QIODevice& device, RawLine& line) {
    // readLine stores at most size - 1 bytes and a terminating zero.
    line.bytes.resize(kMaxLineBytes + 1);
    const qint64 n = device.readLine(line.bytes.data(), line.bytes.size());
    if (n <= 0) {
        line.bytes.clear();
        return false;
    }
    line.bytes.truncate(n);
    line.cut = false;
    if (line.bytes.endsWith('\n')) {
        line.bytes.chop(1);
    } else if (!device.atEnd()) {
        char chunk[4096];
        qint64 m = device.readLine(chunk, sizeof chunk);
        // Only the line feed was left: the line fitted after all.
        if (!(m == 1 && chunk[0] == '\n')) {
            line.cut = true;
            while (m > 0 && chunk[m - 1] != '\n')
                m = device.readLine(chunk, sizeof chunk);
        }
    }
    if (!line.cut && line.bytes.endsWith('\r'))
        line.bytes.chop(1);
    return true;
}

// Cutting a line may split a UTF-8 sequence; the incomplete end is dropped
// so that it does not make the file look like something else. (A code page
// decoding never reaches those bytes: it keeps far fewer characters.)
void dropIncompleteUtf8End(QByteArray& bytes) {
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const auto c = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (length > back)
            bytes.chop(back);
        return;
    }
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The first kMaxLanguageLineLength characters (a surrogate pair counts as one).
QString cutToLongestText(QString text) {
    qsizetype end = 0;
    for (int count = 0; end < text.size() && count < kMaxLanguageLineLength; ++count)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() &&
                       text.at(end + 1).isLowSurrogate()
                   ? 2
                   : 1;
    text.truncate(end);
    return text;
}

} // namespace

QStringList readLanguageTexts(QIODevice& device, int maxTexts) {
    QList<QByteArray> lines;
    RawLine line;
    bool utf8 = true;
    while (lines.size() < maxTexts && readRawLine(device, line)) {
        if (line.cut)
            dropIncompleteUtf8End(line.bytes);
        utf8 = utf8 && isValidUtf8(line.bytes);
        lines.append(line.bytes);
    }
    QStringList texts;
    texts.reserve(lines.size());
    for (const QByteArray& bytes : lines) {
        QString text = utf8 ? QString::fromUtf8(bytes) : decodeEvidence(bytes);
        // A byte order mark written by a Windows editor is no part of text 0.
        if (texts.isEmpty() && text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        texts.append(cutToLongestText(std::move(text)));
    }
    return texts;
}

QStringList languageFolders(const QString& exeDir) {
    QString own = exeDir;
    if (!own.endsWith(QLatin1Char('/')))
        own += QLatin1Char('/');
    const QString installed = installedDataFolder(exeDir) + QStringLiteral("lang/");
    if (QFileInfo(own).canonicalFilePath() == QFileInfo(installed).canonicalFilePath() &&
        QFileInfo::exists(own))
        return {own};
    return {own, installed};
}

QString findLanguageFile(const QString& fileName, const QStringList& folders) {
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    for (const QString& folder : folders) {
        const QString path = folder + name;
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

bool LoadInterfaceTexts(const QString& language, const QStringList& folders) {
    fillDefaultInterfaceTexts();
    if (language == QLatin1String("en"))
        return true;
    const QString path = findLanguageFile(language, folders);
    if (path.isEmpty())
        return false;
    QFile file(path);
    // Read only: an installed language file is not writable by its user.
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QStringList texts = readLanguageTexts(file, interfaceTextCount());
    for (int k = 0; k < texts.size(); ++k)
        setInterfaceText(k, texts.at(k));
    return true;
}

} // namespace vc
