#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <span>

namespace vc {

// One Windows locale: its identifier (LCID), its three-letter abbreviation
// (the "sLanguage" of Control Panel\International, e.g. "ENU"), its tag
// ("en-US") and the Qt language, script and territory it corresponds to. The
// display names come from QLocale.
struct WindowsLocale {
    uint16_t lcid;
    const char* abbreviation;
    const char* tag;
    QLocale::Language language;
    QLocale::Script script; // AnyScript when the language has one script
    QLocale::Territory territory;

    QLocale qlocale() const { return QLocale(language, script, territory); }
};

// The Windows locales the program knows, ordered by language; the first
// entry of each language is the one Windows takes for the language alone.
std::span<const WindowsLocale> windowsLocales();

// By abbreviation, letter case ignored; null when unknown.
const WindowsLocale* windowsLocaleByAbbreviation(const QString& abbreviation);
const WindowsLocale* windowsLocaleByLcid(uint16_t lcid);
// The entry for a Qt locale: same language, script and territory, else same
// language and territory, else the language's first entry. Null when the
// language has none (the C locale counts as US English).
const WindowsLocale* windowsLocaleFor(const QLocale& locale);

// The three-letter abbreviation of a Qt locale; "ENU" when none fits.
QString windowsAbbreviation(const QLocale& locale);

} // namespace vc
