#include "documents/RowLine.h"

#include <QByteArrayView>

namespace vc {

QByteArray fileNamePart(const QByteArray& path) {
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const char c = path.at(i);
        if (c == '/' || c == '\\' || c == ':') {
            cut = i;
            break;
        }
    }
    return path.mid(cut + 1);
}

QByteArray extensionPart(const QByteArray& fileName) {
    // Only a file name has an extension: a name holding a character no
    // Windows file name may hold ("office?WT.mc_id=..." of a RecentDocs
    // list, an address) has none.
    for (const char c : fileName)
        if (c == '?' || c == '*' || c == '"' || c == '<' || c == '>' || c == '|' || c == '/' ||
            c == '\\' || c == ':')
            return QByteArray();
    const qsizetype dot = fileName.lastIndexOf('.');
    return dot < 0 ? QByteArray() : fileName.mid(dot);
}

QByteArray cutName(const QByteArray& name, int count) {
    if (count <= 0)
        return name;
    if (!QByteArrayView(name).isValidUtf8())
        return name.size() <= count ? QByteArray() : name.left(name.size() - count);
    qsizetype end = name.size();
    for (int removed = 0; removed < count && end > 0; ++removed) {
        --end;
        // Step back over continuation bytes to the first byte of the character.
        while (end > 0 && (static_cast<unsigned char>(name.at(end)) & 0xC0) == 0x80)
            --end;
    }
    return name.left(end);
}

QByteArray cleanField(QByteArray text) {
    char* p = text.data();
    for (qsizetype i = 0, n = text.size(); i < n; ++i)
        if (static_cast<unsigned char>(p[i]) < 32)
            p[i] = ' ';
    return text;
}

QByteArray shortDatesPart(const QByteArray& datesText) {
    const qsizetype bar = datesText.indexOf('|');
    return bar < 0 ? datesText : datesText.left(bar);
}

QByteArray longDatesPart(const QByteArray& datesText) {
    const qsizetype bar = datesText.indexOf('|');
    return bar < 0 ? QByteArray() : datesText.mid(bar + 1);
}

QByteArray makeRowLine(const QByteArray& name, const QByteArray& extension,
                       const QByteArray& shortDates, const QByteArray& path,
                       const QByteArray& rowTag) {
    QByteArray line;
    line.reserve(name.size() + extension.size() + shortDates.size() + path.size() + rowTag.size() +
                 4);
    line += cleanField(name);
    line += '\t';
    line += cleanField(extension);
    line += '\t';
    line += shortDates;
    line += '\t';
    line += cleanField(path);
    line += '\t';
    line += rowTag;
    return line;
}

} // namespace vc
