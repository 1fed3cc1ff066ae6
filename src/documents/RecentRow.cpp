#include "documents/RecentRow.h"

#include "cache/IndexFormat.h"
#include "documents/FileDates.h"
#include "documents/RowLine.h"
#include "documents/shell/Shortcut.h"
#include "evidence/EvidenceFiles.h"
#include "language/InterfaceTexts.h"
#include "platform/CodePage.h"
#include "platform/TimeText.h"
#include "platform/TimeValue.h"

#include <QtEndian>

#include <cmath>

namespace vc {

QByteArray fileTimeText(quint64 fileTime) {
    if (fileTime == 0)
        return QByteArray();
    return timeCell(TimeValue{TimeKind::FileTime, TimeRule::Runtime, qint64(fileTime)});
}

QByteArray accessCountText(double count) {
    if (count == std::floor(count) && std::fabs(count) < 1e15)
        return QByteArray::number(qint64(count));
    QByteArray text = QByteArray::number(count, 'f', 2);
    while (text.endsWith('0'))
        text.chop(1);
    return text;
}

QByteArray evidenceText(const QString& text) {
    return encodeEvidence(text);
}

QString cellInterfaceText(int n) {
    const QString text = tx(n);
    return decodeEvidence(encodeEvidence(text)) == text ? text : englishInterfaceText(n);
}

QByteArray recentRowLine(const RecentRow& row, const EvidenceFiles& files,
                         QByteArray* lastAccessText) {
    QByteArray dates = QByteArrayLiteral("\t|");
    if (!row.localFile.isEmpty())
        dates = FileDatesText(files, row.localFile, '\t');
    if (lastAccessText)
        *lastAccessText = longDatesPart(dates);
    QByteArray line = makeRowLine(row.name, row.extension, shortDatesPart(dates), row.path,
                                  cleanField(row.source));
    const auto field = [&line](const QByteArray& text) {
        line += '\t';
        // A time cell is the program's own; text of the evidence is cleaned.
        line += isTimeCell(text) ? text : cleanField(text);
    };
    field(row.mruPosition >= 0 ? QByteArray::number(row.mruPosition) : QByteArray());
    field(fileTimeText(row.recordedTime));
    field(row.accessCount ? accessCountText(*row.accessCount) : QByteArray());
    const ShortcutFacts* link = row.link;
    if (link && link->state != ShortcutFacts::State::NotALink) {
        field(evidenceText(link->targetPath));
        field(fileTimeText(link->created));
        field(fileTimeText(link->modified));
        field(fileTimeText(link->accessed));
        field(link->size ? QByteArray::number(*link->size) : QByteArray());
        field(evidenceText(link->volumeLabel));
        field(link->volumeSerial ? evidenceText(volumeSerialText(*link->volumeSerial))
                                 : QByteArray());
        field(evidenceText(link->machineId));
        field(evidenceText(link->workingFolder));
    } else {
        for (int i = 0; i < 9; ++i)
            field(QByteArray());
    }
    field(evidenceText(row.notes.join(QStringLiteral("; "))));
    field(link ? evidenceText(link->arguments) : QByteArray());
    field(link ? evidenceText(link->description) : QByteArray());
    field(row.category);
    field(fileTimeText(row.addedTime));
    field(fileTimeText(row.visitedTime));
    field(row.applications);
    return line;
}

} // namespace vc
