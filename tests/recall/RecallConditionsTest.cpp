// The recall conditions as plain logic: building, describing, judging.
#include "recall/RecallConditions.h"
#include "language/InterfaceTexts.h"
#include "platform/TimeText.h"
#include "recall/RecallFilter.h"
#include "recall/RecallRun.h"

#include <gtest/gtest.h>

using namespace vc;

namespace {

class RecallConditionsTest : public ::testing::Test {
protected:
    RecallConditionSet conditions;
    void SetUp() override {
        fillDefaultInterfaceTexts();
        setDateTimeFormat(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    }
    void TearDown() override {
        conditions.clear();
        setDateTimeFormat(defaultDateTimeFormat());
    }

    bool passes(const char* row, const char* date) {
        return PassesRecallConditions(conditions, QByteArray(row), QByteArray(date));
    }

    static RecallChoice dates(QDate first, QDate second) {
        RecallChoice c = defaultRecallChoice();
        c.date1Set = first.isValid();
        c.date1 = first;
        c.date2Set = second.isValid();
        c.date2 = second;
        return c;
    }
};

TEST_F(RecallConditionsTest, EmptySetPassesEverything) {
    EXPECT_TRUE(conditions.isEmpty());
    EXPECT_TRUE(passes("", ""));
    EXPECT_TRUE(passes("anything at all", "not a date"));
    EXPECT_TRUE(passes("x", " "));
}

TEST_F(RecallConditionsTest, OneDateIsThatWholeDayAndTheTimeIsCutOff) {
    BuildRecallConditions(dates(QDate(2015, 8, 25), QDate()), conditions);
    ASSERT_EQ(conditions.size(), 1);
    const RecallCondition& c = conditions.conditions().front();
    EXPECT_EQ(c.low, QStringLiteral("25.08.2015"));
    EXPECT_EQ(c.high, QStringLiteral("25.08.2015"));
    EXPECT_EQ(c.fieldName, QStringLiteral("Last_Access"));
    EXPECT_EQ(c.kind, kDateCondition);
    EXPECT_EQ(c.predicate, kWithinRange);
    // Both ends of the day, with a time after the date.
    EXPECT_TRUE(passes("row", "25.08.2015 00:00:00"));
    EXPECT_TRUE(passes("row", "25.08.2015 23:59:59"));
    EXPECT_TRUE(passes("row", "  25.08.2015 11:05:20\n"));
    EXPECT_FALSE(passes("row", "24.08.2015 23:59:59"));
    EXPECT_FALSE(passes("row", "26.08.2015 00:00:00"));
    // No date, an unconverted time, a broken text.
    EXPECT_FALSE(passes("row", ""));
    EXPECT_FALSE(passes("row", " "));
    EXPECT_FALSE(passes("row", "25.08.20"));
    EXPECT_FALSE(passes("row", "2015-08-25 11:05:20"));

    // The same day given only in the second picker.
    BuildRecallConditions(dates(QDate(), QDate(2015, 8, 25)), conditions);
    ASSERT_EQ(conditions.size(), 1);
    EXPECT_EQ(conditions.conditions().front().valueCaption,
              QStringLiteral("[25.08.2015, 25.08.2015]"));
}

TEST_F(RecallConditionsTest, SwappedDatesAreOrderedAndOutsideIsTheComplement) {
    RecallChoice c = dates(QDate(2015, 9, 30), QDate(2015, 9, 1));
    BuildRecallConditions(c, conditions);
    const RecallCondition& within = conditions.conditions().front();
    EXPECT_EQ(within.low, QStringLiteral("01.09.2015"));
    EXPECT_EQ(within.high, QStringLiteral("30.09.2015"));
    EXPECT_TRUE(passes("", "01.09.2015 00:00:01"));
    EXPECT_TRUE(passes("", "30.09.2015 23:00:00"));
    EXPECT_FALSE(passes("", "31.08.2015 23:00:00"));
    EXPECT_FALSE(passes("", "01.10.2015 00:00:00"));
    // Across a year the order is by date, not by text.
    EXPECT_FALSE(passes("", "15.09.2014 00:00:00"));

    c.datePredicate = kOutsideRange;
    BuildRecallConditions(c, conditions);
    EXPECT_FALSE(passes("", "01.09.2015 00:00:01"));
    EXPECT_FALSE(passes("", "30.09.2015 23:00:00"));
    EXPECT_TRUE(passes("", "31.08.2015 23:00:00"));
    EXPECT_TRUE(passes("", "01.10.2015 00:00:00"));
    EXPECT_FALSE(passes("", " ")); // no date is neither inside nor outside
}

TEST_F(RecallConditionsTest, AndOrJoinWithAnEmptyDateText) {
    RecallChoice c = dates(QDate(2015, 8, 25), QDate(2015, 8, 26));
    c.phrase = QStringLiteral("msn.com");
    c.join = 0;
    BuildRecallConditions(c, conditions);
    ASSERT_EQ(conditions.size(), 2);
    EXPECT_EQ(conditions.conditions().back().fieldName, QStringLiteral("Whole_row"));
    EXPECT_TRUE(passes("URL http://www.msn.com/", "25.08.2015 11:05:18"));
    EXPECT_FALSE(passes("URL http://www.msn.com/", "27.08.2015 11:05:18"));
    EXPECT_FALSE(passes("URL http://example.com/", "25.08.2015 11:05:18"));
    EXPECT_FALSE(passes("URL http://www.msn.com/", ""));

    c.join = 1;
    BuildRecallConditions(c, conditions);
    EXPECT_TRUE(passes("URL http://www.msn.com/", "27.08.2015 11:05:18"));
    EXPECT_TRUE(passes("URL http://example.com/", "25.08.2015 11:05:18"));
    EXPECT_FALSE(passes("URL http://example.com/", "27.08.2015 11:05:18"));
    // An empty date text fails the date; under OR the phrase decides.
    EXPECT_TRUE(passes("URL http://www.msn.com/", ""));
    EXPECT_FALSE(passes("URL http://example.com/", ""));
}

TEST_F(RecallConditionsTest, PhraseIsOnePieceWithCaseCounting) {
    RecallChoice c = defaultRecallChoice();
    c.phrase = QStringLiteral("letter to");
    BuildRecallConditions(c, conditions);
    ASSERT_EQ(conditions.size(), 1);
    EXPECT_TRUE(passes("a letter to bank.doc", ""));
    EXPECT_FALSE(passes("a LETTER TO bank.doc", ""));
    EXPECT_FALSE(passes("a letter  to bank.doc", ""));
    EXPECT_FALSE(passes("to the letter", ""));

    c.phrasePredicate = kNotContains;
    c.phrasePredicateCaption = predicateCaption(kNotContains);
    BuildRecallConditions(c, conditions);
    EXPECT_FALSE(passes("a letter to bank.doc", ""));
    EXPECT_TRUE(passes("a LETTER TO bank.doc", ""));
}

TEST_F(RecallConditionsTest, PhraseOfSpacesMakesNoCondition) {
    RecallChoice c = defaultRecallChoice();
    c.phrase = QStringLiteral("   ");
    BuildRecallConditions(c, conditions);
    EXPECT_TRUE(conditions.isEmpty());
    EXPECT_TRUE(passes("no spaces here", " "));

    // The phrase is kept as typed, blanks and all.
    c.phrase = QStringLiteral(" bank ");
    BuildRecallConditions(c, conditions);
    ASSERT_EQ(conditions.size(), 1);
    EXPECT_EQ(conditions.conditions().front().low, QStringLiteral(" bank "));
    EXPECT_TRUE(passes("my bank statement", ""));
    EXPECT_FALSE(passes("bankrupt", ""));
}

TEST_F(RecallConditionsTest, DescriptionTexts) {
    RecallChoice c = dates(QDate(2015, 8, 26), QDate(2015, 8, 25));
    BuildRecallConditions(c, conditions);
    EXPECT_EQ(DescribeRecallConditions(conditions),
              QStringLiteral("Search Options: The Date of the Last Access Within Range "
                             "[25.08.2015, 26.08.2015] "));

    c.phrase = QStringLiteral("msn");
    BuildRecallConditions(c, conditions);
    EXPECT_EQ(DescribeRecallConditions(conditions),
              QStringLiteral("Search Options: The Date of the Last Access Within Range "
                             "[25.08.2015, 26.08.2015]  AND Some Field of the Table Contains: "
                             "\"msn\""));
    c.join = 1;
    c.datePredicate = kOutsideRange;
    c.datePredicateCaption = predicateCaption(kOutsideRange);
    c.phrasePredicate = kNotContains;
    c.phrasePredicateCaption = predicateCaption(kNotContains);
    BuildRecallConditions(c, conditions);
    EXPECT_EQ(DescribeRecallConditions(conditions),
              QStringLiteral("Search Options: The Date of the Last Access Outside Range "
                             "[25.08.2015, 26.08.2015]  OR Some Field of the Table Not "
                             "Contains: \"msn\""));

    RecallChoice phraseOnly = defaultRecallChoice();
    phraseOnly.phrase = QStringLiteral("msn");
    phraseOnly.join = 1; // read, but a first condition shows no join
    BuildRecallConditions(phraseOnly, conditions);
    EXPECT_EQ(DescribeRecallConditions(conditions),
              QStringLiteral("Search Options: Some Field of the Table Contains msn "));

    conditions.clear();
    EXPECT_EQ(DescribeRecallConditions(conditions), QStringLiteral("Search Options: "));
}

TEST_F(RecallConditionsTest, DatePartFollowsThePatternsWords) {
    // Fixed width: the first ten characters.
    EXPECT_EQ(recallDatePart("25.08.2015 11:05:20"), QByteArrayView("25.08.2015"));
    // Fields of varying width: cut at the blank, not at the pattern's length.
    setDateTimeFormat(QStringLiteral("d/M/yyyy H:mm:ss"));
    EXPECT_EQ(shortDatePattern(), QStringLiteral("d/M/yyyy"));
    EXPECT_EQ(recallDatePart(" 5/8/2015 1:02:03"), QByteArrayView("5/8/2015"));
    BuildRecallConditions(dates(QDate(2015, 8, 5), QDate()), conditions);
    EXPECT_TRUE(passes("", "5/8/2015 1:02:03"));
    EXPECT_FALSE(passes("", "15/8/2015 1:02:03"));
    // Two-digit years: the range ends stay the dates that were picked.
    setDateTimeFormat(QStringLiteral("M/d/yy h:mm:ss AP"));
    BuildRecallConditions(dates(QDate(1940, 1, 1), QDate(2015, 12, 31)), conditions);
    EXPECT_EQ(conditions.conditions().front().low, QStringLiteral("1/1/40"));
    EXPECT_TRUE(passes("", "8/25/15 11:05:20 AM"));
    EXPECT_TRUE(passes("", "1/1/80 0:00:00 AM"));
    // A date of several words.
    setDateTimeFormat(QStringLiteral("d MMM yyyy HH:mm:ss"));
    EXPECT_EQ(shortDatePattern(), QStringLiteral("d MMM yyyy"));
    EXPECT_EQ(recallDatePart("6 Mar 2015 09:24:44"), QByteArrayView("6 Mar 2015"));
}

TEST_F(RecallConditionsTest, SharesOfTheOverallBar) {
    // 100 / sections - 6, and at least 1: the fifteen sections of the whole
    // recall get 1.
    EXPECT_EQ(wholeRecallPlan().share, 1);
    EXPECT_TRUE(wholeRecallPlan().description.isEmpty());
    std::array<bool, kRecallSectionCount> checked{};
    checked[2] = true;
    EXPECT_EQ(conditionalRecallPlan(checked, conditions).share, 94);
    checked.fill(true);
    EXPECT_EQ(conditionalRecallPlan(checked, conditions).share, 1);
    // Nine sections, as the program had: 5.
    checked.fill(false);
    for (int s = 0; s < 9; ++s)
        checked[s] = true;
    EXPECT_EQ(conditionalRecallPlan(checked, conditions).share, 5);
    checked[0] = checked[1] = checked[7] = false;
    EXPECT_EQ(conditionalRecallPlan(checked, conditions).share, 10);
    checked.fill(false);
    checked[6] = checked[8] = true;
    EXPECT_EQ(conditionalRecallPlan(checked, conditions).share, 44);
}

} // namespace
