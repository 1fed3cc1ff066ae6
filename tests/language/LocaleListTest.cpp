#include "language/LocaleList.h"
#include "language/InterfaceTexts.h"
#include "platform/QStringPrinting.h"
#include "platform/WindowsLocales.h"

#include <QSet>

#include <gtest/gtest.h>

#include <utility>

using namespace vc;

namespace {

// The locales of Windows XP (Service Pack 2 included): identifier and
// abbreviation.
const std::pair<uint16_t, const char*> kWindowsXpLocales[] = {
    {0x0436, "AFK"}, {0x041C, "SQI"}, {0x0401, "ARA"}, {0x0801, "ARI"}, {0x0C01, "ARE"},
    {0x1001, "ARL"}, {0x1401, "ARG"}, {0x1801, "ARM"}, {0x1C01, "ART"}, {0x2001, "ARO"},
    {0x2401, "ARY"}, {0x2801, "ARS"}, {0x2C01, "ARJ"}, {0x3001, "ARB"}, {0x3401, "ARK"},
    {0x3801, "ARU"}, {0x3C01, "ARH"}, {0x4001, "ARQ"}, {0x042B, "HYE"}, {0x042C, "AZE"},
    {0x082C, "AZC"}, {0x042D, "EUQ"}, {0x0423, "BEL"}, {0x0445, "BNG"}, {0x141A, "BSB"},
    {0x0402, "BGR"}, {0x0403, "CAT"}, {0x0804, "CHS"}, {0x1004, "ZHI"}, {0x0404, "CHT"},
    {0x0C04, "ZHH"}, {0x1404, "ZHM"}, {0x041A, "HRV"}, {0x101A, "HRB"}, {0x0405, "CSY"},
    {0x0406, "DAN"}, {0x0465, "DIV"}, {0x0413, "NLD"}, {0x0813, "NLB"}, {0x0409, "ENU"},
    {0x0809, "ENG"}, {0x0C09, "ENA"}, {0x1009, "ENC"}, {0x1409, "ENZ"}, {0x1809, "ENI"},
    {0x1C09, "ENS"}, {0x2009, "ENJ"}, {0x2409, "ENB"}, {0x2809, "ENL"}, {0x2C09, "ENT"},
    {0x3009, "ENW"}, {0x3409, "ENP"}, {0x0425, "ETI"}, {0x0438, "FOS"}, {0x0464, "FPO"},
    {0x040B, "FIN"}, {0x040C, "FRA"}, {0x080C, "FRB"}, {0x0C0C, "FRC"}, {0x100C, "FRS"},
    {0x140C, "FRL"}, {0x180C, "FRM"}, {0x0462, "FYN"}, {0x0456, "GLC"}, {0x0437, "KAT"},
    {0x0407, "DEU"}, {0x0807, "DES"}, {0x0C07, "DEA"}, {0x1007, "DEL"}, {0x1407, "DEC"},
    {0x0408, "ELL"}, {0x0447, "GUJ"}, {0x040D, "HEB"}, {0x0439, "HIN"}, {0x040E, "HUN"},
    {0x040F, "ISL"}, {0x0421, "IND"}, {0x085D, "IUK"}, {0x083C, "IRE"}, {0x0434, "XHO"},
    {0x0435, "ZUL"}, {0x0410, "ITA"}, {0x0810, "ITS"}, {0x0411, "JPN"}, {0x044B, "KDI"},
    {0x043F, "KKZ"}, {0x0457, "KNK"}, {0x0412, "KOR"}, {0x0440, "KYR"}, {0x0426, "LVI"},
    {0x0427, "LTH"}, {0x046E, "LBX"}, {0x042F, "MKI"}, {0x043E, "MSL"}, {0x083E, "MSB"},
    {0x044C, "MYM"}, {0x043A, "MLT"}, {0x0481, "MRI"}, {0x047A, "MPD"}, {0x044E, "MAR"},
    {0x047C, "MWK"}, {0x0450, "MON"}, {0x0461, "NEP"}, {0x0414, "NOR"}, {0x0814, "NON"},
    {0x0463, "PAS"}, {0x0429, "FAR"}, {0x0415, "PLK"}, {0x0416, "PTB"}, {0x0816, "PTG"},
    {0x0446, "PAN"}, {0x046B, "QUB"}, {0x086B, "QUE"}, {0x0C6B, "QUP"}, {0x0418, "ROM"},
    {0x0417, "RMC"}, {0x0419, "RUS"}, {0x043B, "SME"}, {0x083B, "SMF"}, {0x0C3B, "SMG"},
    {0x103B, "SMJ"}, {0x143B, "SMK"}, {0x183B, "SMA"}, {0x1C3B, "SMB"}, {0x203B, "SMS"},
    {0x243B, "SMN"}, {0x044F, "SAN"}, {0x0C1A, "SRB"}, {0x081A, "SRL"}, {0x1C1A, "SRN"},
    {0x181A, "SRS"}, {0x046C, "NSO"}, {0x0432, "TSN"}, {0x041B, "SKY"}, {0x0424, "SLV"},
    {0x040A, "ESP"}, {0x080A, "ESM"}, {0x0C0A, "ESN"}, {0x100A, "ESG"}, {0x140A, "ESC"},
    {0x180A, "ESA"}, {0x1C0A, "ESD"}, {0x200A, "ESV"}, {0x240A, "ESO"}, {0x280A, "ESR"},
    {0x2C0A, "ESS"}, {0x300A, "ESF"}, {0x340A, "ESL"}, {0x380A, "ESY"}, {0x3C0A, "ESZ"},
    {0x400A, "ESB"}, {0x440A, "ESE"}, {0x480A, "ESH"}, {0x4C0A, "ESI"}, {0x500A, "ESU"},
    {0x0441, "SWK"}, {0x041D, "SVE"}, {0x081D, "SVF"}, {0x045A, "SYR"}, {0x0449, "TAM"},
    {0x0444, "TTT"}, {0x044A, "TEL"}, {0x041E, "THA"}, {0x041F, "TRK"}, {0x0422, "UKR"},
    {0x0420, "URD"}, {0x0443, "UZB"}, {0x0843, "UZB"}, {0x042A, "VIT"}, {0x0452, "CYM"},
};

int rowOf(const QList<LocaleRow>& rows, const QString& id) {
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].id == id)
            return i;
    return -1;
}

} // namespace

TEST(LocaleList, EveryWindowsXpLocaleWithItsAbbreviation) {
    for (const auto& [lcid, abbreviation] : kWindowsXpLocales) {
        const WindowsLocale* locale = windowsLocaleByLcid(lcid);
        ASSERT_NE(locale, nullptr) << std::hex << lcid;
        EXPECT_STREQ(locale->abbreviation, abbreviation) << std::hex << lcid;
    }
}

TEST(LocaleList, RowsAndDisplayNames) {
    const QList<LocaleRow> rows = localeRows();
    ASSERT_EQ(rows.size(), qsizetype(windowsLocales().size()));
    QSet<QString> names;
    for (const LocaleRow& row : rows) {
        EXPECT_EQ(row.id.size(), 9) << row.id.toStdString();
        EXPECT_EQ(row.id, row.id.toUpper());
        EXPECT_EQ(row.id.mid(1).toUInt(nullptr, 16), row.lcid);
        EXPECT_EQ(row.localeId.toUInt(), row.lcid);
        EXPECT_FALSE(row.name.isEmpty());
        // Two locales never look the same in the list.
        EXPECT_FALSE(names.contains(row.name)) << row.name.toStdString();
        names.insert(row.name);
    }
    const LocaleRow& enu = rows[rowOf(rows, "$00000409")];
    EXPECT_EQ(enu.ext, "ENU");
    EXPECT_EQ(enu.localeId, "1033");
    EXPECT_EQ(enu.name, "English (United States)");
    EXPECT_EQ(rows[rowOf(rows, "$00000C0A")].name, "Spanish (Spain)");
    EXPECT_EQ(rows[rowOf(rows, "$0000040A")].name, "Spanish (Spain, Traditional Sort)");
    EXPECT_EQ(rows[rowOf(rows, "$0000081A")].name, "Serbian (Latin, Serbia and Montenegro)");
    EXPECT_EQ(rows[rowOf(rows, "$00002409")].name, "English (Caribbean)");
    EXPECT_EQ(rows[rowOf(rows, "$00000443")].name, "Uzbek (Latin, Uzbekistan)");
    EXPECT_EQ(rows[rowOf(rows, "$00000804")].name, "Chinese (China)");

    EXPECT_EQ(LocaleNameFromAbbreviation("deu"), "German (Germany)");
    EXPECT_EQ(LocaleNameFromAbbreviation("RUS"), "Russian (Russia)");
    EXPECT_TRUE(LocaleNameFromAbbreviation("XYZ").isEmpty());
    EXPECT_TRUE(LocaleNameFromAbbreviation("").isEmpty());
    EXPECT_EQ(findLocaleRow(rows, "rus"), rowOf(rows, "$00000419"));
    EXPECT_EQ(findLocaleRow(rows, "XYZ"), -1);
    EXPECT_EQ(findLocaleRow(rows, ""), -1);
}

TEST(LocaleList, SortingByIdIsNumericAndStable) {
    QList<LocaleRow> rows = localeRows();
    sortLocaleRows(rows, {kLocaleId, true});
    for (int i = 1; i < rows.size(); ++i)
        EXPECT_LT(rows[i - 1].lcid, rows[i].lcid);
    // By the letters, "$00000C0A" would come before "$0000040A".
    EXPECT_LT(rowOf(rows, "$00000409"), rowOf(rows, "$00000C0A"));
    EXPECT_LT(rowOf(rows, "$0000040A"), rowOf(rows, "$00000C0A"));
    EXPECT_EQ(rows.first().id, "$00000401");
    sortLocaleRows(rows, {kLocaleDecimalId, false});
    for (int i = 1; i < rows.size(); ++i)
        EXPECT_GT(rows[i - 1].lcid, rows[i].lcid);

    // Equal abbreviations (the two Uzbek ones) keep their order.
    QList<LocaleRow> byExt = localeRows();
    sortLocaleRows(byExt, {kLocaleExt, true});
    for (int i = 1; i < byExt.size(); ++i)
        EXPECT_LE(byExt[i - 1].ext.compare(byExt[i].ext, Qt::CaseInsensitive), 0);
    const int uzb = findLocaleRow(byExt, "UZB");
    EXPECT_EQ(byExt[uzb].lcid, 0x0443u);
    EXPECT_EQ(byExt[uzb + 1].lcid, 0x0843u);

    sortLocaleRows(byExt, {kLocaleName, false});
    for (int i = 1; i < byExt.size(); ++i)
        EXPECT_GE(byExt[i - 1].name.compare(byExt[i].name, Qt::CaseInsensitive), 0);

    // Unsorted and unknown columns leave the order alone.
    QList<LocaleRow> same = localeRows();
    sortLocaleRows(same, {});
    sortLocaleRows(same, {7, true});
    EXPECT_EQ(same.first().lcid, localeRows().first().lcid);
    EXPECT_EQ(same.last().lcid, localeRows().last().lcid);
}

TEST(LocaleList, InstructionLines) {
    fillDefaultInterfaceTexts();
    const QStringList lines = localizationHelpLines("help@example.org");
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "To localize the program (or use different language):");
    EXPECT_TRUE(lines[1].startsWith("1. Find the file with \".lang\""));
    EXPECT_EQ(lines[2], "2. Translate it to desired language");
    EXPECT_EQ(lines[3], "3. Save it under the name XXX.lang. Find the XXX for your language "
                        "within first column of the table.");
    EXPECT_EQ(lines[4], tx(147));
    EXPECT_EQ(lines[5], "Please, do a favour and send your file to: help@example.org");
}
