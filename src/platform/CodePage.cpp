#include "platform/CodePage.h"

#include "platform/CodePageTables.h"

#include <QHash>

namespace vc {

namespace {

enum class Kind { Table, Utf8, Latin1 };

struct CurrentPage {
    QString name = QStringLiteral("windows-1252");
    Kind kind = Kind::Table;
    const CodePageTable* table = nullptr;
    QHash<char16_t, char> reverse;
    unsigned generation = 0;
};

const CodePageTable* findTable(const QString& name) {
    for (int i = 0; i < kCodePageTableCount; ++i)
        if (name.compare(QLatin1String(kCodePageTables[i].name), Qt::CaseInsensitive) == 0)
            return &kCodePageTables[i];
    return nullptr;
}

QString normalise(const QString& name) {
    QString n = name.trimmed().toLower();
    if (n == QLatin1String("cp1252") || n == QLatin1String("ansi"))
        return QStringLiteral("windows-1252");
    if (n.startsWith(QLatin1String("cp")) && n.size() == 6 && n.mid(2).toInt() >= 1250)
        return QStringLiteral("windows-") + n.mid(2);
    if (n == QLatin1String("utf8"))
        return QStringLiteral("utf-8");
    if (n == QLatin1String("latin1") || n == QLatin1String("latin-1") ||
        n == QLatin1String("iso8859-1"))
        return QStringLiteral("iso-8859-1");
    return n;
}

void buildReverse(CurrentPage& page) {
    page.reverse.clear();
    if (!page.table)
        return;
    for (int i = 0; i < 128; ++i)
        page.reverse.insert(page.table->upper[i], char(0x80 + i));
}

CurrentPage& current() {
    static CurrentPage page = [] {
        CurrentPage p;
        p.table = findTable(p.name);
        buildReverse(p);
        return p;
    }();
    return page;
}

} // namespace

bool isKnownCodePage(const QString& name) {
    const QString n = normalise(name);
    return n == QLatin1String("utf-8") || n == QLatin1String("iso-8859-1") || findTable(n);
}

bool setSourceCodePage(const QString& name) {
    const QString n = normalise(name);
    CurrentPage& page = current();
    if (n == QLatin1String("utf-8")) {
        page.kind = Kind::Utf8;
        page.table = nullptr;
    } else if (n == QLatin1String("iso-8859-1")) {
        page.kind = Kind::Latin1;
        page.table = nullptr;
    } else if (const CodePageTable* table = findTable(n)) {
        page.kind = Kind::Table;
        page.table = table;
    } else {
        return false;
    }
    page.name = n;
    buildReverse(page);
    ++page.generation;
    return true;
}

unsigned codePageGeneration() {
    return current().generation;
}

QString sourceCodePage() {
    return current().name;
}

QStringList knownCodePages() {
    QStringList names{QStringLiteral("utf-8"), QStringLiteral("iso-8859-1")};
    for (int i = 0; i < kCodePageTableCount; ++i)
        names << QLatin1String(kCodePageTables[i].name);
    return names;
}

QString decodeEvidence(QByteArrayView bytes) {
    const CurrentPage& page = current();
    switch (page.kind) {
    case Kind::Utf8:
        return QString::fromUtf8(bytes);
    case Kind::Latin1:
        return QString::fromLatin1(bytes);
    case Kind::Table:
        break;
    }
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = b < 0x80 ? QChar(b) : QChar(page.table->upper[b - 0x80]);
    }
    return text;
}

QByteArray encodeEvidence(const QString& text) {
    const CurrentPage& page = current();
    switch (page.kind) {
    case Kind::Utf8:
        return text.toUtf8();
    case Kind::Latin1:
        return text.toLatin1();
    case Kind::Table:
        break;
    }
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            bytes.append(char(u));
        else
            bytes.append(page.reverse.value(u, '?'));
    }
    return bytes;
}

} // namespace vc
