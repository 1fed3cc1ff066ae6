#include "browsers/BrowserCells.h"

#include "language/InterfaceTexts.h"
#include "platform/TimeValue.h"

namespace vc {

namespace {

// Chrome's transition qualifiers (the high bits).
constexpr qint64 kForwardBack = 0x01000000;
constexpr qint64 kFromAddressBar = 0x02000000;
constexpr qint64 kHomePage = 0x04000000;
constexpr qint64 kClientRedirect = 0x40000000;
constexpr qint64 kServerRedirect = 0x80000000;

QByteArray utf8(int text) {
    return tx(text).toUtf8();
}

// A browser's time as the table keeps it: the stored number and its clock.
// Dates after the year 3000 are shown too (cookies commonly expire in 9999).
void appendTime(TimeKind kind, qint64 raw, QByteArray& out) {
    if (raw == 0)
        return;
    appendTimeCell(TimeValue{kind, TimeRule::Open, raw}, out);
}

} // namespace

void appendChromeTime(qint64 microsecondsSince1601, QByteArray& out) {
    appendTime(TimeKind::WebKitMicroseconds, microsecondsSince1601, out);
}

void appendUnixMicroseconds(qint64 microseconds, QByteArray& out) {
    appendTime(TimeKind::UnixMicroseconds, microseconds, out);
}

void appendUnixMilliseconds(qint64 milliseconds, QByteArray& out) {
    appendTime(TimeKind::UnixMilliseconds, milliseconds, out);
}

void appendUnixSeconds(qint64 seconds, QByteArray& out) {
    appendTime(TimeKind::UnixSeconds, seconds, out);
}

BrowserCellTexts::BrowserCellTexts()
    : m_chromeCore{utf8(TextTransitionLink),
                   utf8(TextTransitionTyped),
                   utf8(TextTransitionBookmark),
                   utf8(TextTransitionAutoSubframe),
                   utf8(TextTransitionManualSubframe),
                   utf8(TextTransitionGenerated),
                   utf8(TextTransitionAutoToplevel),
                   utf8(TextTransitionFormSubmit),
                   utf8(TextTransitionReload),
                   utf8(TextTransitionKeyword),
                   utf8(TextTransitionKeywordGenerated)},
      m_forwardBack(utf8(TextTransitionForwardBack)), m_addressBar(utf8(TextTransitionAddressBar)),
      m_homePage(utf8(TextTransitionHomePage)),
      m_clientRedirect(utf8(TextTransitionClientRedirect)),
      m_serverRedirect(utf8(TextTransitionServerRedirect)),
      m_firefoxTypes{QByteArray(),
                     utf8(TextTransitionLink),
                     utf8(TextTransitionTyped),
                     utf8(TextTransitionBookmark),
                     utf8(TextTransitionEmbed),
                     utf8(TextTransitionPermanentRedirect),
                     utf8(TextTransitionTemporaryRedirect),
                     utf8(TextTransitionDownload),
                     utf8(TextTransitionFramedLink),
                     utf8(TextTransitionReload)},
      m_firefoxStates{
          utf8(TextDownloadNotStarted), utf8(TextDownloadInProgress), utf8(TextDownloadComplete),
          utf8(TextDownloadFailed),     utf8(TextDownloadCancelled),  utf8(TextDownloadPaused),
          utf8(TextDownloadQueued),     utf8(TextDownloadBlocked),    utf8(TextDownloadScanning),
          utf8(TextDownloadVirus),      utf8(TextDownloadBlocked)},
      m_chromeStates{utf8(TextDownloadInProgress), utf8(TextDownloadComplete),
                     utf8(TextDownloadCancelled), utf8(TextDownloadInterrupted)},
      m_secure(utf8(TextCookieSecure)), m_httpOnly(utf8(TextCookieHttpOnly)),
      m_encrypted(tx(TextCookieEncrypted)) {}

QByteArray BrowserCellTexts::chromeTransition(qint64 transition) const {
    const qint64 core = transition & 0xFF;
    QByteArray text = core < 11 ? m_chromeCore[core] : QByteArray::number(core);
    const std::pair<qint64, const QByteArray*> qualifiers[] = {
        {kForwardBack, &m_forwardBack},
        {kFromAddressBar, &m_addressBar},
        {kHomePage, &m_homePage},
        {kClientRedirect, &m_clientRedirect},
        {kServerRedirect, &m_serverRedirect},
    };
    for (const auto& [bit, word] : qualifiers)
        if (transition & bit)
            text += ", " + *word;
    return text;
}

QByteArray BrowserCellTexts::firefoxVisitType(qint64 type) const {
    if (type >= 1 && type <= 9)
        return m_firefoxTypes[type];
    return QByteArray::number(type);
}

QByteArray BrowserCellTexts::chromeDownloadState(qint64 state, bool oldNumbering) const {
    if (state >= 0 && state <= 2)
        return m_chromeStates[state];
    if (state == (oldNumbering ? 4 : 3))
        return m_chromeStates[3];
    return QByteArray::number(state);
}

QByteArray BrowserCellTexts::firefoxDownloadState(qint64 state) const {
    if (state >= -1 && state <= 9)
        return m_firefoxStates[state + 1];
    return QByteArray::number(state);
}

QByteArray BrowserCellTexts::cookieFlags(bool secure, bool httpOnly) const {
    if (secure && httpOnly)
        return m_secure + ", " + m_httpOnly;
    return secure ? m_secure : httpOnly ? m_httpOnly : QByteArray();
}

QByteArray BrowserCellTexts::encryptedValue(qint64 bytes) const {
    return m_encrypted.arg(bytes).toUtf8();
}

QByteArray windowsPathOfFileUri(QByteArrayView uri) {
    constexpr QByteArrayView scheme("file:");
    if (uri.size() < scheme.size() || uri.first(scheme.size()).toByteArray().toLower() != scheme)
        return uri.toByteArray();
    QByteArray rest = uri.sliced(scheme.size()).toByteArray();
    QByteArray path;
    if (rest.startsWith("///"))
        path = rest.mid(3); // local: file:///C:/...
    else if (rest.startsWith("//"))
        path = "//" + rest.mid(2); // a server: file://host/share/...
    else
        path = rest;
    path = QByteArray::fromPercentEncoding(path);
    path.replace('/', '\\');
    return path;
}

} // namespace vc
