// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/format/NumericFormatUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orvane;

namespace {
std::string fmt(const char* name, double v) { return Formatter::create(name)->format(v); }
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

TEST(Formatter, NamesWidthsDecimalsAndKinds) {
    auto m = Formatter::create("monyy7.");
    EXPECT_EQ(m->getName(), "MONYY");
    EXPECT_EQ(m->getWidth(), 7);
    EXPECT_EQ(m->getDecimals(), 0);
    EXPECT_TRUE(m->formatsDateValues());
    auto p = Formatter::create("PERCENT8.1");
    EXPECT_EQ(p->getName(), "PERCENT");
    EXPECT_EQ(p->getWidth(), 8);
    EXPECT_EQ(p->getDecimals(), 1);
    EXPECT_FALSE(p->isTemporal());
    EXPECT_EQ(Formatter::create("8.2")->getName(), "F");
    EXPECT_EQ(Formatter::create("DATE")->getWidth(), 7);  // the family's default width

    // Date, date-time and time families, localised names included.
    for (const char* n : {"DATE9.", "MONYY5.", "YYQC6.", "WEEKDATX.", "YEAR4.", "QTRR.", "NLDATEMD.", "EURDFMY.", "JULIAN."})
        EXPECT_TRUE(Formatter::create(n)->formatsDateValues()) << n;
    for (const char* n : {"DATETIME16.", "DTDATE9.", "DTMONYY7.", "DTYYQC6.", "DTYEAR4.", "DTWKDATX.", "NLDATM.",
                          "NLDATMTM.", "EURDFDT."})
        EXPECT_TRUE(Formatter::create(n)->formatsDateTimeValues()) << n;
    for (const char* n : {"TIME8.", "TIMEAMPM11.", "HHMM5.", "HOUR2.", "NLTIME.", "NLTIMAP.", "TOD8."})
        EXPECT_TRUE(Formatter::create(n)->formatsTimeValues()) << n;
    EXPECT_EQ(Formatter::create("NLDATEW.")->getBaseName(), "WEEKDATE");
    EXPECT_EQ(Formatter::create("NLDATEW.")->getName(), "NLDATEW");
}

TEST(Formatter, UnknownNameFallsBackToBestWithLogLine) {
    CLogCapture log;
    auto f = Formatter::create("NOSUCHFMT12.");
    EXPECT_EQ(f->getName(), "BEST");
    EXPECT_EQ(f->format(12.5), "12.5");
    EXPECT_TRUE(log.contains(CLog::ERRORS, "NOSUCHFMT12."));
    EXPECT_EQ(Formatter::create("COMMA12.2x1000")->getName(), "BEST");  // a scale needs a compact name
    EXPECT_EQ(Formatter::create("")->getName(), "BEST");
    EXPECT_FALSE(FormatterFactory::isValidFormatName("DATE9.2.3"));
    // A name first checked, then used: still the fallback, logged once.
    EXPECT_FALSE(FormatterFactory::isValidFormatName("LATER7."));
    EXPECT_EQ(FormatterFactory::getFormatter("LATER7.")->getName(), "BEST");
    EXPECT_EQ(FormatterFactory::getFormatter("LATER7.")->getName(), "BEST");
}

TEST(Formatter, NumbersRoundHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(fmt("8.0", 2.5), "3");
    EXPECT_EQ(fmt("8.0", -2.5), "-3");
    EXPECT_EQ(fmt("8.2", 0.125), "0.13");
    EXPECT_EQ(fmt("8.2", 1.005), "1.01");  // stored as 1.00499999...
    EXPECT_EQ(fmt("8.2", 2.675), "2.68");
    EXPECT_EQ(fmt("COMMA12.2", -0.004), "0.00");  // no "-0.00"
    EXPECT_EQ(fmt("COMMA12.2", 1234567.891), "1,234,567.89");
    EXPECT_EQ(fmt("COMMA12.", 999.5), "1,000");
    EXPECT_EQ(fmt("COMMAX12.2", 1234.5), "1.234,50");
    EXPECT_EQ(fmt("DOLLAR12.2", -1234.5), "-$1,234.50");
    EXPECT_EQ(fmt("PERCENT8.1", 0.1234), "12.3%");
    EXPECT_EQ(fmt("PERCENT8.1", -0.05), "(5.0%)");
    EXPECT_EQ(fmt("PERCENTN8.1", -0.05), "-5.0%");
    EXPECT_EQ(fmt("NEGPAREN10.1", -12.34), "(12.3)");
    EXPECT_EQ(fmt("Z8.2", -12.3), "-0012.30");
    EXPECT_EQ(fmt("BEST12.", 3.14159265358979), "3.1415926536");
    EXPECT_EQ(fmt("BEST12.", 1.0 / 3), "0.3333333333");
    EXPECT_EQ(fmt("BEST12.", 1e15), "1E15");
    EXPECT_EQ(fmt("BEST12.", -42), "-42");
}

TEST(Formatter, NumbersTooWideForTheirWidth) {
    EXPECT_EQ(fmt("COMMA6.2", 1234.567), "1,235");   // decimals go first
    EXPECT_EQ(fmt("COMMA5.", 123456), "1.2E5");      // then the grouping, then E notation
    EXPECT_EQ(fmt("BEST12.", 123456789012345.0), "1.2345679E14");
    EXPECT_EQ(fmt("BEST4.", -123456), "-1E5");
    EXPECT_EQ(fmt("BEST2.", -123456), "**");
    EXPECT_EQ(fmt("PERCENT4.", 12.345), "1E3%");
    for (const char* n : {"COMMA4.2", "DOLLAR3.", "8.3", "BEST1.", "PERCENT3.1"})
        for (double v : {0.0, -1.0, 123.456, -98765.4321, 1e300, -1e-300})
            EXPECT_LE(Formatter::create(n)->format(v).size(), static_cast<size_t>(Formatter::create(n)->getWidth()))
                << n << " " << v;
}

TEST(Formatter, MissingNaNAndInfinities) {
    EXPECT_EQ(fmt("COMMA12.2", kNaN), ".");
    EXPECT_EQ(fmt("DATE9.", kNaN), ".");
    EXPECT_EQ(fmt("COMMA12.2", kInf), "Inf");
    EXPECT_EQ(fmt("BEST12.", -kInf), "-Inf");
    EXPECT_EQ(fmt("DATE9.", kInf), ".");
    EXPECT_EQ(fmt("TIME8.", -kInf), ".");
    EXPECT_EQ(fmt("DATE9.", 1e20), "*********");  // beyond any calendar
    EXPECT_EQ(fmt("CMPCOMMA12.1", kNaN), ".");
}

TEST(Formatter, CompactFormats) {
    EXPECT_EQ(fmt("CMPCOMMA12.1", 1234), "1.2K");
    EXPECT_EQ(fmt("CMPCOMMA12.1", 3400000), "3.4M");
    EXPECT_EQ(fmt("CMPDOLLAR12.1", -5600000000.0), "-$5.6B");
    EXPECT_EQ(fmt("CMPCOMMA12.1", 7.2e12), "7.2T");
    EXPECT_EQ(fmt("CMPCOMMA12.1", 999960), "1M");  // rounding carries into the next unit
    EXPECT_EQ(fmt("CMPCOMMA12.1", 1000), "1K");
    EXPECT_EQ(fmt("CMPCOMMA12.1", 950), "950");
    EXPECT_EQ(fmt("CMPCOMMA12.2x1000", 1234567), "1,234.57K");
    EXPECT_EQ(fmt("CMPBEST12.0x1000000", 2500000), "3M");

    EXPECT_EQ(NumericFormatUtil::getCompactPrecisionFormatName("COMMA12.2", 1000, 1), "CMPCOMMA12.1x1000");
    EXPECT_EQ(NumericFormatUtil::getCompactPrecisionFormatName("COMMA12.2", 0, 3), "CMPCOMMA12.3");
    EXPECT_EQ(NumericFormatUtil::getCompactPrecisionFormatName("COMMA12.2", 1000000, 0), "CMPCOMMA12.2x1000000");
    EXPECT_EQ(NumericFormatUtil::getCompactPrecisionFormatName("COMMA12.2", 0, 0), "");  // unset
    EXPECT_EQ(NumericFormatUtil::getCompactPrecisionFormatName("DATE9.", 1000, 1), "");  // not a number format
    EXPECT_EQ(NumericFormatUtil::getCompactBusinessFormatName("DOLLAR12.2"), "CMPDOLLAR12.1");
    EXPECT_EQ(NumericFormatUtil::getCompactBusinessFormatName("MONYY7."), "");
    // The names round-trip through formatNumericValue.
    EXPECT_EQ(DataValue::formatNumericValue(1234567, NumericFormatUtil::getCompactPrecisionFormatName("COMMA12.2", 1000, 1)),
              "1,234.6K");
    EXPECT_EQ(DataValue::formatNumericValue(-2345, NumericFormatUtil::getCompactBusinessFormatName("DOLLAR12.2")),
              "-$2.3K");
}

TEST(Formatter, DatesAroundTheEpochLeapDaysAndFarAway) {
    EXPECT_EQ(fmt("DATE9.", 0), "01JAN1960");
    EXPECT_EQ(fmt("DATE9.", -1), "31DEC1959");
    EXPECT_EQ(fmt("DATE9.", 3653), "01JAN1970");
    EXPECT_EQ(fmt("DATE9.", 14670), "01MAR2000");
    EXPECT_EQ(fmt("DATE9.", 14669), "29FEB2000");  // 2000 is a leap year
    EXPECT_EQ(fmt("DATE9.", -21914), "01JAN1900");
    EXPECT_EQ(fmt("DATE9.", -21914 + 58), "28FEB1900");  // 1900 is not a leap year
    EXPECT_EQ(fmt("DATE9.", -21914 + 59), "01MAR1900");
    EXPECT_EQ(fmt("DATE5.", 59), "29FEB");
    EXPECT_EQ(fmt("DATE7.", 3653), "01JAN70");
    EXPECT_EQ(fmt("DATE11.", -138061), "01-JAN-1582");
    EXPECT_EQ(fmt("DATE9.", 2936549), "31DEC9999");
    EXPECT_EQ(fmt("DATE9.", 10.9), "11JAN1960");  // fractions of a day are dropped
    // Before year 1 (proleptic calendar): written with a sign and read back.
    std::string ancient = fmt("YYMMDD10.", -1000000);
    EXPECT_EQ(ancient.rfind("-0778-", 0), 0u) << ancient;
    double back = 0;
    EXPECT_TRUE(Formatter::create("YYMMDD10.")->parse(ancient, back));
    EXPECT_EQ(back, -1000000);
    EXPECT_EQ(fmt("DATE9.", 6589340), "31DEC20000");        // five-digit years keep every digit
}

TEST(Formatter, DateFamilies) {
    const double d = 14670;  // Wednesday 1 March 2000
    EXPECT_EQ(fmt("MONYY7.", d), "MAR2000");
    EXPECT_EQ(fmt("MONYY5.", d), "MAR00");
    EXPECT_EQ(fmt("MMYY7.", d), "03M2000");
    EXPECT_EQ(fmt("MONNAME.", d), "March");
    EXPECT_EQ(fmt("MONNAME3.", d), "Mar");
    EXPECT_EQ(fmt("MONTH.", d), "3");
    EXPECT_EQ(fmt("YEAR4.", d), "2000");
    EXPECT_EQ(fmt("YEAR2.", d), "00");
    EXPECT_EQ(fmt("YYQ6.", d), "2000Q1");
    EXPECT_EQ(fmt("YYQC4.", d), "00:1");
    EXPECT_EQ(fmt("YYQR7.", d + 250), "2000QIV");
    EXPECT_EQ(fmt("YYQR6.", d + 200), "00QIII");
    EXPECT_EQ(fmt("QTR.", d + 100), "2");
    EXPECT_EQ(fmt("QTRR.", d + 250), "IV");
    EXPECT_EQ(fmt("YYMON7.", d), "2000MAR");
    EXPECT_EQ(fmt("YYMM7.", d), "2000M03");
    EXPECT_EQ(fmt("WEEKDATE29.", d), "Wednesday, March 1, 2000");
    EXPECT_EQ(fmt("WEEKDATE17.", d), "Wed, Mar 1, 2000");
    EXPECT_EQ(fmt("WEEKDATE3.", d), "Wed");
    EXPECT_EQ(fmt("WEEKDATX29.", d), "Wednesday, 1 March 2000");
    EXPECT_EQ(fmt("WEEKDAY.", d), "4");
    EXPECT_EQ(fmt("WEEKDAY.", 0), "6");  // 1 January 1960 was a Friday
    EXPECT_EQ(fmt("DOWNAME.", d), "Wednesday");
    EXPECT_EQ(fmt("WORDDATE18.", d), "March 1, 2000");
    EXPECT_EQ(fmt("WORDDATX.", d), "1 March 2000");
    EXPECT_EQ(fmt("DDMMYY10.", d), "01/03/2000");
    EXPECT_EQ(fmt("MMDDYY8.", d), "03/01/00");
    EXPECT_EQ(fmt("YYMMDD10.", d), "2000-03-01");
    EXPECT_EQ(fmt("YYMMDDN8.", d), "20000301");
    EXPECT_EQ(fmt("JULIAN7.", d), "2000061");
    EXPECT_EQ(fmt("NLDATE.", d), "Wednesday, 1 March 2000");  // through WEEKDATX
    EXPECT_EQ(fmt("NLDATEMD9.", d), "01MAR2000");
    EXPECT_EQ(fmt("EURDFDD10.", d), "01/03/2000");
}

TEST(Formatter, DateTimesAndTimes) {
    const double s1970 = 315619200;  // 1 January 1970 00:00:00
    EXPECT_EQ(fmt("DATETIME16.", s1970), "01JAN70:00:00:00");
    EXPECT_EQ(fmt("DATETIME19.", s1970 + 0.5), "01JAN1970:00:00:00");
    EXPECT_EQ(fmt("DATETIME22.2", s1970 + 0.25), "01JAN1970:00:00:00.25");
    EXPECT_EQ(fmt("DATETIME13.", -1), "31DEC59:23:59");
    EXPECT_EQ(fmt("DATETIME10.", 3600 * 5), "01JAN60:05");
    EXPECT_EQ(fmt("DATEAMPM19.", s1970 + 13 * 3600 + 62), "01JAN70:01:01:02 PM");
    EXPECT_EQ(fmt("DTDATE9.", s1970), "01JAN1970");
    EXPECT_EQ(fmt("DTMONYY7.", s1970), "JAN1970");
    EXPECT_EQ(fmt("DTYEAR4.", s1970), "1970");
    EXPECT_EQ(fmt("DTYYQC6.", s1970 + 100 * 86400), "1970:2");
    EXPECT_EQ(fmt("DTWKDATX.", s1970), "Thursday, 1 January 1970");
    EXPECT_EQ(fmt("EURDFDT.", s1970), "01JAN70:00:00:00");

    EXPECT_EQ(fmt("TIME8.", 3661), "1:01:01");
    EXPECT_EQ(fmt("TIME5.", 3661), "1:01");
    EXPECT_EQ(fmt("TIME8.", -3661), "-1:01:01");
    EXPECT_EQ(fmt("TIME8.", 100 * 3600), "100:00:00");  // durations beyond a day
    EXPECT_EQ(fmt("TIME11.2", 3661.256), "1:01:01.25");
    EXPECT_EQ(fmt("TIMEAMPM11.", 0), "12:00:00 AM");
    EXPECT_EQ(fmt("TIMEAMPM11.", 12 * 3600), "12:00:00 PM");
    EXPECT_EQ(fmt("TIMEAMPM11.", 13 * 3600 + 5), "1:00:05 PM");
    EXPECT_EQ(fmt("TIMEAMPM5.", 13 * 3600), "1 PM");
    EXPECT_EQ(fmt("HHMM5.", 3599), "1:00");  // rounded to the minute
    EXPECT_EQ(fmt("HOUR4.1", 5400), "1.5");
    EXPECT_EQ(fmt("TOD8.", s1970 + 3661), "01:01:01");
    EXPECT_EQ(fmt("MMSS5.", 125), "2:05");
}

TEST(Formatter, ReadsBackWhatItWrites) {
    struct Case {
        const char* format;
        double value;
    } cases[] = {{"DATE9.", 14670},        {"DATE9.", -138061},     {"DATE11.", 0},          {"MMDDYY10.", 20000},
                 {"DDMMYY10.", 20000},     {"YYMMDD10.", -5000},    {"DATETIME19.", 315619261},
                 {"DATETIME19.", -86399},  {"TIME8.", 45296},       {"TIMEAMPM11.", 45296},  {"TIME8.", -3661},
                 {"COMMA12.2", -1234.5},   {"DOLLAR12.2", 98765.43}, {"PERCENT8.1", 0.125}, {"NEGPAREN10.1", -12.5},
                 {"CMPCOMMA12.1x1000", 1200}, {"MONYY7.", 14670},   {"YYQ6.", 14701},       {"YEAR4.", 14610}};
    for (const auto& c : cases) {
        auto f = Formatter::create(c.format);
        double back = 0;
        ASSERT_TRUE(f->parse(f->format(c.value), back)) << c.format << " " << f->format(c.value);
        EXPECT_DOUBLE_EQ(back, c.value) << c.format << " " << f->format(c.value);
    }
    auto date = Formatter::create("DATE9.");
    double v = 0;
    EXPECT_TRUE(date->parse("2000-03-01", v));
    EXPECT_EQ(v, 14670);
    EXPECT_TRUE(date->parse("1 mar 2000", v) || date->parse("01mar2000", v));
    EXPECT_EQ(v, 14670);
    EXPECT_FALSE(date->parse("2000-02-30", v));  // no such day
    EXPECT_FALSE(date->parse("yesterday", v));
    EXPECT_TRUE(date->parse("", v));
    EXPECT_TRUE(std::isnan(v));
    EXPECT_FALSE(Formatter::create("TIME8.")->parse("25:61", v));
    EXPECT_FALSE(Formatter::create("COMMA12.")->parse("12abc", v));
}

TEST(Formatter, CharacterFormatsCutAtCharacterBoundaries) {
    auto f = Formatter::create("$5.");
    EXPECT_TRUE(f->isCharacterFormat());
    EXPECT_EQ(f->formatString("abcdefgh"), "abcde");
    EXPECT_EQ(f->formatString("abcdé"), "abcd");  // é is two bytes: not cut in half
    EXPECT_EQ(Formatter::create("COMMA12.")->formatString("text"), "text");
}

TEST(Formatter, ExtremeDurationsKeepWithinTheirDigits) {
    // Hours that cannot be counted in 64 bits with eleven decimals lose decimals, not correctness.
    EXPECT_EQ(fmt("TIME20.11", 8e14 + 0.5), "222222222222:13:20.50000000000");
    EXPECT_EQ(fmt("TIME20.11", 1.5), "0:00:01.50000000000");
    EXPECT_EQ(fmt("TIME8.", -1e300), "********");
}

TEST(Formatter, NarrowAndWideForms) {
    const double d = 14670;                      // Wednesday 1 March 2000
    const double onePm = 315619200 + 13 * 3600;  // 1 January 1970 13:00
    EXPECT_EQ(fmt("DATEAMPM10.", onePm), "01JAN70");
    EXPECT_EQ(fmt("DATEAMPM13.", onePm), "01JAN70:01 PM");
    EXPECT_EQ(fmt("DATEAMPM22.", onePm), "01JAN1970:01:00:00 PM");
    EXPECT_EQ(fmt("WORDDATE3.", d), "Mar");
    EXPECT_EQ(fmt("WORDDATE12.", d), "Mar 1, 2000");
    EXPECT_EQ(fmt("WEEKDATX15.", d), "Wed, 1 Mar 2000");
    EXPECT_EQ(fmt("DDMMYY2.", d), "01");
    EXPECT_EQ(fmt("DDMMYY4.", d), "0103");
    EXPECT_EQ(fmt("DDMMYY5.", d), "01/03");
    EXPECT_EQ(fmt("DDMMYY6.", d), "010300");
    EXPECT_EQ(fmt("DDMMYY8.", d), "01/03/00");
    EXPECT_EQ(fmt("DDMMYYP10.", d), "01.03.2000");
    EXPECT_EQ(fmt("MMDDYYN8.", d), "03012000");
    EXPECT_EQ(fmt("MMDDYYN6.", d), "030100");
    EXPECT_EQ(fmt("YYMMN6.", d), "200003");
    EXPECT_EQ(fmt("YYMMN4.", d), "0003");
    EXPECT_EQ(fmt("JULIAN5.", d), "00061");
    EXPECT_EQ(fmt("DAY.", d), "1");
    EXPECT_EQ(fmt("MONNAME1.", d), "M");
    EXPECT_EQ(fmt("DOWNAME3.", d), "Wed");
    EXPECT_EQ(fmt("DATE3.", d), "01MAR");  // below the smallest width: the smallest form
    EXPECT_EQ(fmt("E10.", 98765), "9.877E+04");  // an exact tie rounds away from zero
    EXPECT_EQ(fmt("E10.", -99995), "-1.000E+05");
    EXPECT_EQ(fmt("E8.", 0.000123), "1.2E-04");
    EXPECT_EQ(fmt("$8.", 12.5), "12.5");  // a number through a character format
    EXPECT_EQ(Formatter::create("DATE99.")->getWidth(), 11);
    EXPECT_EQ(Formatter::create("COMMA12.40")->getDecimals(), 15);
}

TEST(Formatter, ReadsClockTimesAndLooseNumbers) {
    auto ampm = Formatter::create("TIMEAMPM11.");
    double v = 0;
    EXPECT_TRUE(ampm->parse("12:00 AM", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ampm->parse("12:30 pm", v));
    EXPECT_EQ(v, 45000);
    EXPECT_FALSE(ampm->parse("13:00 PM", v));
    EXPECT_TRUE(ampm->parse("7:05", v));
    EXPECT_EQ(v, 25500);
    EXPECT_TRUE(Formatter::create("TIME8.")->parse("-1:30", v));
    EXPECT_EQ(v, -5400);
    EXPECT_FALSE(Formatter::create("TIME8.")->parse("2000-01-01", v));

    auto comma = Formatter::create("COMMA12.2");
    EXPECT_TRUE(comma->parse("+5", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(comma->parse("1.5K", v));
    EXPECT_EQ(v, 1500);
    EXPECT_TRUE(comma->parse("(1,234)", v));
    EXPECT_EQ(v, -1234);
    EXPECT_TRUE(Formatter::create("COMMAX12.2")->parse("1.234,5", v));
    EXPECT_EQ(v, 1234.5);
    EXPECT_FALSE(comma->parse("--5", v));
    EXPECT_FALSE(comma->parse("$", v));
    EXPECT_FALSE(comma->parse("1,2.3.4", v));
    auto dt = Formatter::create("DATETIME19.");
    EXPECT_TRUE(dt->parse("2000-03-01", v));  // a date alone is midnight
    EXPECT_EQ(v, 14670.0 * 86400);
    EXPECT_TRUE(dt->parse("03/01/2000 10:00", v));
    EXPECT_EQ(v, 14670.0 * 86400 + 36000);
    EXPECT_TRUE(Formatter::create("DATE9.")->parse("01/03/19", v));  // two-digit years below 20 are 20xx
    EXPECT_EQ(Formatter::create("YEAR4.")->format(v), "2019");
    EXPECT_TRUE(Formatter::create("DATE9.")->parse("01/03/45", v));
    EXPECT_EQ(Formatter::create("YEAR4.")->format(v), "1945");
}
