#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vc {

// Time cells of the browsers' clocks (the stored number with its clock),
// shown by the program's time-text rules (the same pattern, time zone and
// UTC choice as every other date column); 0 gives the empty cell, a time
// before 1970 the unconverted text; dates after the year 3000 are shown.
// Sub-seconds are dropped from the text. The cell is appended to out.
//
// Chrome and Edge count microseconds since 1601-01-01 UTC (the Windows
// FILETIME epoch).
void appendChromeTime(qint64 microsecondsSince1601, QByteArray& out);
// Firefox counts microseconds since 1970 in visits and downloads.
void appendUnixMicroseconds(qint64 microseconds, QByteArray& out);
void appendUnixMilliseconds(qint64 milliseconds, QByteArray& out);
void appendUnixSeconds(qint64 seconds, QByteArray& out);

// The UTF-8 words written into the cells of one load, in the language of the
// moment the load began.
class BrowserCellTexts {
public:
    BrowserCellTexts();

    // Chrome's page transition: the core type in the low byte ("link",
    // "typed", "reload", ...), followed by the qualifiers a reader cares
    // about (forward/back, from address bar, home page, redirects), joined
    // by ", ". An unknown core type is shown as its number.
    QByteArray chromeTransition(qint64 transition) const;
    // Firefox's visit type (1 link ... 9 reload); an unknown one as its number.
    QByteArray firefoxVisitType(qint64 type) const;

    // Download states. Chrome's numbers changed in 2013 (old: 3 removing,
    // 4 interrupted; new: 3 interrupted); Firefox kept one list (-1 not
    // started ... 9 blocked by policy). Unknown states are shown as numbers.
    QByteArray chromeDownloadState(qint64 state, bool oldNumbering) const;
    QByteArray firefoxDownloadState(qint64 state) const;

    // "secure", "HTTP only", both joined by ", ", or the empty text.
    QByteArray cookieFlags(bool secure, bool httpOnly) const;
    // The value shown for a cookie that Windows encrypted (DPAPI).
    QByteArray encryptedValue(qint64 bytes) const;

private:
    QByteArray m_chromeCore[11];
    QByteArray m_forwardBack, m_addressBar, m_homePage, m_clientRedirect, m_serverRedirect;
    QByteArray m_firefoxTypes[10];
    QByteArray m_firefoxStates[11]; // from -1
    QByteArray m_chromeStates[4];
    QByteArray m_secure, m_httpOnly;
    QString m_encrypted;
};

// A "file:" address as the Windows path it names ("file:///C:/a%20b.txt" ->
// "C:\a b.txt", "file://server/share/x" -> "\\server\share\x"); any other
// text is returned as it is.
QByteArray windowsPathOfFileUri(QByteArrayView uri);

} // namespace vc
