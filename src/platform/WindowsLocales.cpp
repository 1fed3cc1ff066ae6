#include "platform/WindowsLocales.h"

#include <array>

namespace vc {

namespace {

using L = QLocale;

#define WL(lcid, abbr, tag, lang, script, terr)                                                    \
    WindowsLocale {                                                                                \
        lcid, abbr, tag, L::lang, L::script, L::terr                                               \
    }

// Identifiers and abbreviations as Windows lists them (LOCALE_SABBREVLANGNAME):
// every locale of Windows XP (Service Pack 2 included) and some of the later
// versions.
const std::array kLocales = {
    WL(0x0436, "AFK", "af-ZA", Afrikaans, AnyScript, SouthAfrica),
    WL(0x041C, "SQI", "sq-AL", Albanian, AnyScript, Albania),
    WL(0x045E, "AMH", "am-ET", Amharic, AnyScript, Ethiopia),
    WL(0x0401, "ARA", "ar-SA", Arabic, AnyScript, SaudiArabia),
    WL(0x0801, "ARI", "ar-IQ", Arabic, AnyScript, Iraq),
    WL(0x0C01, "ARE", "ar-EG", Arabic, AnyScript, Egypt),
    WL(0x1001, "ARL", "ar-LY", Arabic, AnyScript, Libya),
    WL(0x1401, "ARG", "ar-DZ", Arabic, AnyScript, Algeria),
    WL(0x1801, "ARM", "ar-MA", Arabic, AnyScript, Morocco),
    WL(0x1C01, "ART", "ar-TN", Arabic, AnyScript, Tunisia),
    WL(0x2001, "ARO", "ar-OM", Arabic, AnyScript, Oman),
    WL(0x2401, "ARY", "ar-YE", Arabic, AnyScript, Yemen),
    WL(0x2801, "ARS", "ar-SY", Arabic, AnyScript, Syria),
    WL(0x2C01, "ARJ", "ar-JO", Arabic, AnyScript, Jordan),
    WL(0x3001, "ARB", "ar-LB", Arabic, AnyScript, Lebanon),
    WL(0x3401, "ARK", "ar-KW", Arabic, AnyScript, Kuwait),
    WL(0x3801, "ARU", "ar-AE", Arabic, AnyScript, UnitedArabEmirates),
    WL(0x3C01, "ARH", "ar-BH", Arabic, AnyScript, Bahrain),
    WL(0x4001, "ARQ", "ar-QA", Arabic, AnyScript, Qatar),
    WL(0x042B, "HYE", "hy-AM", Armenian, AnyScript, Armenia),
    WL(0x044D, "ASM", "as-IN", Assamese, AnyScript, India),
    WL(0x042C, "AZE", "az-Latn-AZ", Azerbaijani, LatinScript, Azerbaijan),
    WL(0x082C, "AZC", "az-Cyrl-AZ", Azerbaijani, CyrillicScript, Azerbaijan),
    WL(0x046D, "BAS", "ba-RU", Bashkir, AnyScript, Russia),
    WL(0x042D, "EUQ", "eu-ES", Basque, AnyScript, Spain),
    WL(0x0423, "BEL", "be-BY", Belarusian, AnyScript, Belarus),
    WL(0x0445, "BNG", "bn-IN", Bangla, AnyScript, India),
    WL(0x0845, "BNB", "bn-BD", Bangla, AnyScript, Bangladesh),
    WL(0x141A, "BSB", "bs-Latn-BA", Bosnian, LatinScript, BosniaAndHerzegowina),
    WL(0x201A, "BSC", "bs-Cyrl-BA", Bosnian, CyrillicScript, BosniaAndHerzegowina),
    WL(0x047E, "BRE", "br-FR", Breton, AnyScript, France),
    WL(0x0402, "BGR", "bg-BG", Bulgarian, AnyScript, Bulgaria),
    WL(0x0403, "CAT", "ca-ES", Catalan, AnyScript, Spain),
    WL(0x0804, "CHS", "zh-CN", Chinese, SimplifiedHanScript, China),
    WL(0x1004, "ZHI", "zh-SG", Chinese, SimplifiedHanScript, Singapore),
    WL(0x0404, "CHT", "zh-TW", Chinese, TraditionalHanScript, Taiwan),
    WL(0x0C04, "ZHH", "zh-HK", Chinese, TraditionalHanScript, HongKong),
    WL(0x1404, "ZHM", "zh-MO", Chinese, TraditionalHanScript, Macau),
    WL(0x0483, "COS", "co-FR", Corsican, AnyScript, France),
    WL(0x041A, "HRV", "hr-HR", Croatian, AnyScript, Croatia),
    WL(0x101A, "HRB", "hr-BA", Croatian, AnyScript, BosniaAndHerzegowina),
    WL(0x0405, "CSY", "cs-CZ", Czech, AnyScript, CzechRepublic),
    WL(0x0406, "DAN", "da-DK", Danish, AnyScript, Denmark),
    WL(0x0465, "DIV", "dv-MV", Divehi, AnyScript, Maldives),
    WL(0x0413, "NLD", "nl-NL", Dutch, AnyScript, Netherlands),
    WL(0x0813, "NLB", "nl-BE", Dutch, AnyScript, Belgium),
    WL(0x0409, "ENU", "en-US", English, AnyScript, UnitedStates),
    WL(0x0809, "ENG", "en-GB", English, AnyScript, UnitedKingdom),
    WL(0x0C09, "ENA", "en-AU", English, AnyScript, Australia),
    WL(0x1009, "ENC", "en-CA", English, AnyScript, Canada),
    WL(0x1409, "ENZ", "en-NZ", English, AnyScript, NewZealand),
    WL(0x1809, "ENI", "en-IE", English, AnyScript, Ireland),
    WL(0x1C09, "ENS", "en-ZA", English, AnyScript, SouthAfrica),
    WL(0x2009, "ENJ", "en-JM", English, AnyScript, Jamaica),
    WL(0x2809, "ENL", "en-BZ", English, AnyScript, Belize),
    WL(0x2C09, "ENT", "en-TT", English, AnyScript, TrinidadAndTobago),
    // The Caribbean is a region (UN M49 029) that Qt has no territory for.
    WL(0x2409, "ENB", "en-029", English, AnyScript, AnyTerritory),
    WL(0x3009, "ENW", "en-ZW", English, AnyScript, Zimbabwe),
    WL(0x3409, "ENP", "en-PH", English, AnyScript, Philippines),
    WL(0x4009, "ENN", "en-IN", English, AnyScript, India),
    WL(0x4409, "ENM", "en-MY", English, AnyScript, Malaysia),
    WL(0x4809, "ENE", "en-SG", English, AnyScript, Singapore),
    WL(0x0425, "ETI", "et-EE", Estonian, AnyScript, Estonia),
    WL(0x0438, "FOS", "fo-FO", Faroese, AnyScript, FaroeIslands),
    WL(0x0464, "FPO", "fil-PH", Filipino, AnyScript, Philippines),
    WL(0x040B, "FIN", "fi-FI", Finnish, AnyScript, Finland),
    WL(0x040C, "FRA", "fr-FR", French, AnyScript, France),
    WL(0x080C, "FRB", "fr-BE", French, AnyScript, Belgium),
    WL(0x0C0C, "FRC", "fr-CA", French, AnyScript, Canada),
    WL(0x100C, "FRS", "fr-CH", French, AnyScript, Switzerland),
    WL(0x140C, "FRL", "fr-LU", French, AnyScript, Luxembourg),
    WL(0x180C, "FRM", "fr-MC", French, AnyScript, Monaco),
    WL(0x0462, "FYN", "fy-NL", WesternFrisian, AnyScript, Netherlands),
    WL(0x0456, "GLC", "gl-ES", Galician, AnyScript, Spain),
    WL(0x0437, "KAT", "ka-GE", Georgian, AnyScript, Georgia),
    WL(0x0407, "DEU", "de-DE", German, AnyScript, Germany),
    WL(0x0807, "DES", "de-CH", German, AnyScript, Switzerland),
    WL(0x0C07, "DEA", "de-AT", German, AnyScript, Austria),
    WL(0x1007, "DEL", "de-LU", German, AnyScript, Luxembourg),
    WL(0x1407, "DEC", "de-LI", German, AnyScript, Liechtenstein),
    WL(0x0408, "ELL", "el-GR", Greek, AnyScript, Greece),
    WL(0x0447, "GUJ", "gu-IN", Gujarati, AnyScript, India),
    WL(0x0468, "HAU", "ha-Latn-NG", Hausa, AnyScript, Nigeria),
    WL(0x040D, "HEB", "he-IL", Hebrew, AnyScript, Israel),
    WL(0x0439, "HIN", "hi-IN", Hindi, AnyScript, India),
    WL(0x040E, "HUN", "hu-HU", Hungarian, AnyScript, Hungary),
    WL(0x040F, "ISL", "is-IS", Icelandic, AnyScript, Iceland),
    WL(0x0470, "IBO", "ig-NG", Igbo, AnyScript, Nigeria),
    WL(0x0421, "IND", "id-ID", Indonesian, AnyScript, Indonesia),
    WL(0x085D, "IUK", "iu-Latn-CA", Inuktitut, LatinScript, Canada),
    WL(0x083C, "IRE", "ga-IE", Irish, AnyScript, Ireland),
    WL(0x0410, "ITA", "it-IT", Italian, AnyScript, Italy),
    WL(0x0810, "ITS", "it-CH", Italian, AnyScript, Switzerland),
    WL(0x0411, "JPN", "ja-JP", Japanese, AnyScript, Japan),
    WL(0x044B, "KDI", "kn-IN", Kannada, AnyScript, India),
    WL(0x043F, "KKZ", "kk-KZ", Kazakh, AnyScript, Kazakhstan),
    WL(0x0453, "KHM", "km-KH", Khmer, AnyScript, Cambodia),
    WL(0x0487, "KIN", "rw-RW", Kinyarwanda, AnyScript, Rwanda),
    WL(0x0457, "KNK", "kok-IN", Konkani, AnyScript, India),
    WL(0x0412, "KOR", "ko-KR", Korean, AnyScript, SouthKorea),
    WL(0x0440, "KYR", "ky-KG", Kyrgyz, AnyScript, Kyrgyzstan),
    WL(0x0454, "LAO", "lo-LA", Lao, AnyScript, Laos),
    WL(0x0426, "LVI", "lv-LV", Latvian, AnyScript, Latvia),
    WL(0x0427, "LTH", "lt-LT", Lithuanian, AnyScript, Lithuania),
    WL(0x046E, "LBX", "lb-LU", Luxembourgish, AnyScript, Luxembourg),
    WL(0x042F, "MKI", "mk-MK", Macedonian, AnyScript, Macedonia),
    WL(0x043E, "MSL", "ms-MY", Malay, AnyScript, Malaysia),
    WL(0x083E, "MSB", "ms-BN", Malay, AnyScript, Brunei),
    WL(0x044C, "MYM", "ml-IN", Malayalam, AnyScript, India),
    WL(0x043A, "MLT", "mt-MT", Maltese, AnyScript, Malta),
    WL(0x0481, "MRI", "mi-NZ", Maori, AnyScript, NewZealand),
    WL(0x047A, "MPD", "arn-CL", Mapuche, AnyScript, Chile),
    WL(0x044E, "MAR", "mr-IN", Marathi, AnyScript, India),
    WL(0x047C, "MWK", "moh-CA", Mohawk, AnyScript, Canada),
    WL(0x0450, "MON", "mn-MN", Mongolian, AnyScript, Mongolia),
    WL(0x0461, "NEP", "ne-NP", Nepali, AnyScript, Nepal),
    WL(0x0414, "NOR", "nb-NO", NorwegianBokmal, AnyScript, Norway),
    WL(0x0814, "NON", "nn-NO", NorwegianNynorsk, AnyScript, Norway),
    WL(0x0482, "OCI", "oc-FR", Occitan, AnyScript, France),
    WL(0x0448, "ORI", "or-IN", Odia, AnyScript, India),
    WL(0x0463, "PAS", "ps-AF", Pashto, AnyScript, Afghanistan),
    WL(0x0429, "FAR", "fa-IR", Persian, AnyScript, Iran),
    WL(0x0415, "PLK", "pl-PL", Polish, AnyScript, Poland),
    WL(0x0416, "PTB", "pt-BR", Portuguese, AnyScript, Brazil),
    WL(0x0816, "PTG", "pt-PT", Portuguese, AnyScript, Portugal),
    WL(0x0446, "PAN", "pa-IN", Punjabi, AnyScript, India),
    WL(0x046B, "QUB", "quz-BO", Quechua, AnyScript, Bolivia),
    WL(0x086B, "QUE", "quz-EC", Quechua, AnyScript, Ecuador),
    WL(0x0C6B, "QUP", "quz-PE", Quechua, AnyScript, Peru),
    WL(0x0418, "ROM", "ro-RO", Romanian, AnyScript, Romania),
    WL(0x0417, "RMC", "rm-CH", Romansh, AnyScript, Switzerland),
    WL(0x0419, "RUS", "ru-RU", Russian, AnyScript, Russia),
    WL(0x0485, "SAH", "sah-RU", Sakha, AnyScript, Russia),
    WL(0x043B, "SME", "se-NO", NorthernSami, AnyScript, Norway),
    WL(0x083B, "SMF", "se-SE", NorthernSami, AnyScript, Sweden),
    WL(0x0C3B, "SMG", "se-FI", NorthernSami, AnyScript, Finland),
    WL(0x103B, "SMJ", "smj-NO", LuleSami, AnyScript, Norway),
    WL(0x143B, "SMK", "smj-SE", LuleSami, AnyScript, Sweden),
    WL(0x183B, "SMA", "sma-NO", SouthernSami, AnyScript, Norway),
    WL(0x1C3B, "SMB", "sma-SE", SouthernSami, AnyScript, Sweden),
    WL(0x203B, "SMS", "sms-FI", SkoltSami, AnyScript, Finland),
    WL(0x243B, "SMN", "smn-FI", InariSami, AnyScript, Finland),
    WL(0x044F, "SAN", "sa-IN", Sanskrit, AnyScript, India),
    WL(0x0491, "GLA", "gd-GB", Gaelic, AnyScript, UnitedKingdom),
    WL(0x241A, "SRM", "sr-Latn-RS", Serbian, LatinScript, Serbia),
    WL(0x281A, "SRO", "sr-Cyrl-RS", Serbian, CyrillicScript, Serbia),
    WL(0x2C1A, "SRP", "sr-Latn-ME", Serbian, LatinScript, Montenegro),
    WL(0x301A, "SRQ", "sr-Cyrl-ME", Serbian, CyrillicScript, Montenegro),
    WL(0x181A, "SRS", "sr-Latn-BA", Serbian, LatinScript, BosniaAndHerzegowina),
    WL(0x1C1A, "SRN", "sr-Cyrl-BA", Serbian, CyrillicScript, BosniaAndHerzegowina),
    WL(0x081A, "SRL", "sr-Latn-CS", Serbian, LatinScript, Serbia),
    WL(0x0C1A, "SRB", "sr-Cyrl-CS", Serbian, CyrillicScript, Serbia),
    WL(0x046C, "NSO", "nso-ZA", NorthernSotho, AnyScript, SouthAfrica),
    WL(0x0432, "TSN", "tn-ZA", Tswana, AnyScript, SouthAfrica),
    WL(0x045B, "SIN", "si-LK", Sinhala, AnyScript, SriLanka),
    WL(0x041B, "SKY", "sk-SK", Slovak, AnyScript, Slovakia),
    WL(0x0424, "SLV", "sl-SI", Slovenian, AnyScript, Slovenia),
    WL(0x0C0A, "ESN", "es-ES", Spanish, AnyScript, Spain),
    WL(0x040A, "ESP", "es-ES_tradnl", Spanish, AnyScript, Spain),
    WL(0x080A, "ESM", "es-MX", Spanish, AnyScript, Mexico),
    WL(0x100A, "ESG", "es-GT", Spanish, AnyScript, Guatemala),
    WL(0x140A, "ESC", "es-CR", Spanish, AnyScript, CostaRica),
    WL(0x180A, "ESA", "es-PA", Spanish, AnyScript, Panama),
    WL(0x1C0A, "ESD", "es-DO", Spanish, AnyScript, DominicanRepublic),
    WL(0x200A, "ESV", "es-VE", Spanish, AnyScript, Venezuela),
    WL(0x240A, "ESO", "es-CO", Spanish, AnyScript, Colombia),
    WL(0x280A, "ESR", "es-PE", Spanish, AnyScript, Peru),
    WL(0x2C0A, "ESS", "es-AR", Spanish, AnyScript, Argentina),
    WL(0x300A, "ESF", "es-EC", Spanish, AnyScript, Ecuador),
    WL(0x340A, "ESL", "es-CL", Spanish, AnyScript, Chile),
    WL(0x380A, "ESY", "es-UY", Spanish, AnyScript, Uruguay),
    WL(0x3C0A, "ESZ", "es-PY", Spanish, AnyScript, Paraguay),
    WL(0x400A, "ESB", "es-BO", Spanish, AnyScript, Bolivia),
    WL(0x440A, "ESE", "es-SV", Spanish, AnyScript, ElSalvador),
    WL(0x480A, "ESH", "es-HN", Spanish, AnyScript, Honduras),
    WL(0x4C0A, "ESI", "es-NI", Spanish, AnyScript, Nicaragua),
    WL(0x500A, "ESU", "es-PR", Spanish, AnyScript, PuertoRico),
    WL(0x540A, "EST", "es-US", Spanish, AnyScript, UnitedStates),
    WL(0x0441, "SWK", "sw-KE", Swahili, AnyScript, Kenya),
    WL(0x041D, "SVE", "sv-SE", Swedish, AnyScript, Sweden),
    WL(0x081D, "SVF", "sv-FI", Swedish, AnyScript, Finland),
    WL(0x045A, "SYR", "syr-SY", Syriac, AnyScript, Syria),
    WL(0x0428, "TAJ", "tg-Cyrl-TJ", Tajik, AnyScript, Tajikistan),
    WL(0x0449, "TAM", "ta-IN", Tamil, AnyScript, India),
    WL(0x0444, "TTT", "tt-RU", Tatar, AnyScript, Russia),
    WL(0x044A, "TEL", "te-IN", Telugu, AnyScript, India),
    WL(0x041E, "THA", "th-TH", Thai, AnyScript, Thailand),
    WL(0x041F, "TRK", "tr-TR", Turkish, AnyScript, Turkey),
    WL(0x0442, "TUK", "tk-TM", Turkmen, AnyScript, Turkmenistan),
    WL(0x0422, "UKR", "uk-UA", Ukrainian, AnyScript, Ukraine),
    WL(0x0420, "URD", "ur-PK", Urdu, AnyScript, Pakistan),
    WL(0x0480, "UIG", "ug-CN", Uyghur, AnyScript, China),
    WL(0x0443, "UZB", "uz-Latn-UZ", Uzbek, LatinScript, Uzbekistan),
    WL(0x0843, "UZB", "uz-Cyrl-UZ", Uzbek, CyrillicScript, Uzbekistan),
    WL(0x042A, "VIT", "vi-VN", Vietnamese, AnyScript, Vietnam),
    WL(0x0452, "CYM", "cy-GB", Welsh, AnyScript, UnitedKingdom),
    WL(0x0488, "WOL", "wo-SN", Wolof, AnyScript, Senegal),
    WL(0x0434, "XHO", "xh-ZA", Xhosa, AnyScript, SouthAfrica),
    WL(0x046A, "YOR", "yo-NG", Yoruba, AnyScript, Nigeria),
    WL(0x0435, "ZUL", "zu-ZA", Zulu, AnyScript, SouthAfrica),
};

#undef WL

// A script given by a Qt locale counts only when the table names one.
bool scriptFits(const WindowsLocale& entry, QLocale::Script script) {
    return entry.script == QLocale::AnyScript || entry.script == script;
}

} // namespace

std::span<const WindowsLocale> windowsLocales() {
    return kLocales;
}

const WindowsLocale* windowsLocaleByAbbreviation(const QString& abbreviation) {
    const QString wanted = abbreviation.trimmed();
    for (const WindowsLocale& entry : kLocales)
        if (wanted.compare(QLatin1String(entry.abbreviation), Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

const WindowsLocale* windowsLocaleByLcid(uint16_t lcid) {
    for (const WindowsLocale& entry : kLocales)
        if (entry.lcid == lcid)
            return &entry;
    return nullptr;
}

const WindowsLocale* windowsLocaleFor(const QLocale& locale) {
    QLocale::Language language = locale.language();
    QLocale::Territory territory = locale.territory();
    if (language == QLocale::C) {
        language = QLocale::English;
        territory = QLocale::UnitedStates;
    }
    const QLocale::Script script = locale.script();
    const WindowsLocale* sameTerritory = nullptr;
    const WindowsLocale* sameLanguage = nullptr;
    for (const WindowsLocale& entry : kLocales) {
        if (entry.language != language)
            continue;
        if (!sameLanguage)
            sameLanguage = &entry;
        if (entry.territory != territory)
            continue;
        if (scriptFits(entry, script))
            return &entry;
        if (!sameTerritory)
            sameTerritory = &entry;
    }
    return sameTerritory ? sameTerritory : sameLanguage;
}

QString windowsAbbreviation(const QLocale& locale) {
    const WindowsLocale* entry = windowsLocaleFor(locale);
    return QLatin1String(entry ? entry->abbreviation : "ENU");
}

} // namespace vc
