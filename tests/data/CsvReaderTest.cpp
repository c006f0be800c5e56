// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/io/FileSystemManager.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;

namespace {
CSVReader::Result read(std::string_view text, CSVReader::Options o = CSVReader::Options()) {
    return CSVReader::readString(text, o, "t.csv");
}
std::string str(const DataSet& ds, const char* column, size_t row) {
    auto c = ds.getColumnWithName(column);
    auto s = c ? c->getStringAtIndex(row) : nullptr;
    return s ? *s : std::string("<none>");
}
} // namespace

TEST(CSVReader, QuotingLineEndsAndUnicode) {
    auto r = read("\xEF\xBB\xBFname,note,n\r\n"
                  "\"Smith, Jr.\",\"said \"\"hi\"\"\",1\r\n"
                  "Müller,\"two\nlines\",2\r\n"
                  " spaced ,,3\n"
                  "\n"
                  "東京,\"\",4");  // no final line end
    ASSERT_TRUE(r.ok()) << r.error;
    auto& ds = *r.dataSet;
    EXPECT_EQ(*ds.getName(), "t");
    EXPECT_EQ(ds.getRowCount(), 4u);
    EXPECT_EQ(str(ds, "name", 0), "Smith, Jr.");
    EXPECT_EQ(str(ds, "note", 0), "said \"hi\"");
    EXPECT_EQ(str(ds, "name", 1), "Müller");
    EXPECT_EQ(str(ds, "note", 1), "two\nlines");
    EXPECT_EQ(str(ds, "name", 2), " spaced ");  // spaces belong to the field
    EXPECT_TRUE(ds.getColumnWithName("note")->isMissingAtIndex(2));
    EXPECT_EQ(str(ds, "name", 3), "東京");
    EXPECT_TRUE(ds.getColumnWithName("n")->isNumeric());
    EXPECT_EQ(ds.getColumnWithName("n")->getNumberAtIndex(3), 4);
    EXPECT_TRUE(ds.getRowStates());
}

TEST(CSVReader, DetectsNumbersAndKeepsLateTextIntact) {
    std::string text = "id,mixed,num\n";
    for (int i = 0; i < 3000; ++i) text += std::to_string(i) + "," + std::to_string(i * 2) + ",1.5e" + std::to_string(i % 5) + "\n";
    text += "3000,007x,NA\n3001,.,-0.25\n";
    auto r = read(text);
    ASSERT_TRUE(r.ok()) << r.error;
    auto& ds = *r.dataSet;
    EXPECT_TRUE(ds.getColumnWithName("id")->isNumeric());
    EXPECT_TRUE(ds.getColumnWithName("num")->isNumeric());
    EXPECT_TRUE(std::isnan(ds.getColumnWithName("num")->getNumberAtIndex(3000)));
    EXPECT_EQ(ds.getColumnWithName("num")->getNumberAtIndex(3001), -0.25);
    // One value late in the file is not a number: the whole column is text,
    // every earlier value kept exactly as written.
    auto mixed = ds.getColumnWithName("mixed");
    EXPECT_TRUE(mixed->isCharacter());
    EXPECT_EQ(str(ds, "mixed", 0), "0");
    EXPECT_EQ(str(ds, "mixed", 2999), "5998");
    EXPECT_EQ(str(ds, "mixed", 3000), "007x");
    EXPECT_EQ(str(ds, "mixed", 3001), ".");
    EXPECT_EQ(ds.getRowCount(), 3002u);
    EXPECT_EQ(r.warningCount, 0u);
}

TEST(CSVReader, FormatsLabelsAndUsageFromColumnSpecs) {
    CSVReader::Options o;
    o.columns = {{"when", "Order date", "DATE9.", 1, -1},
                 {"stamp", "", "DATETIME19.", 0, -1},
                 {"price", "Unit price", "DOLLAR10.2", 2, -1},
                 {"code", "", "", 0, 1},
                 {"ghost", "", "", 0, -1}};
    auto r = read("when,stamp,price,code\n"
                  "2024-03-01,2024-03-01T10:30:00,\"$1,234.50\",0042\n"
                  "01MAR2024,01MAR2024:10:30:00,12,0043\n"
                  "soon,later,cheap,0044\n"
                  ",,,\n",
                  o);
    ASSERT_TRUE(r.ok()) << r.error;
    auto& ds = *r.dataSet;
    auto when = ds.getColumnWithName("when");
    EXPECT_TRUE(when->isNumeric() && when->isDate());
    EXPECT_EQ(*when->getLabel(), "Order date");
    EXPECT_EQ(when->getDataUsage(), 1);
    EXPECT_EQ(when->getNumberAtIndex(0), 23436);
    EXPECT_EQ(when->getNumberAtIndex(1), 23436);
    EXPECT_EQ(*when->getFormattedValueAtIndex(0), "01MAR2024");
    EXPECT_EQ(ds.getColumnWithName("stamp")->getNumberAtIndex(0), 23436.0 * 86400 + 10 * 3600 + 30 * 60);
    EXPECT_EQ(ds.getColumnWithName("price")->getNumberAtIndex(0), 1234.5);
    EXPECT_EQ(*ds.getColumnWithName("price")->getFormattedValueAtIndex(1), "$12.00");
    EXPECT_TRUE(ds.getColumnWithName("code")->isCharacter());  // given as text: leading zeros stay
    EXPECT_EQ(str(ds, "code", 0), "0042");
    // "soon", "later" and "cheap" do not read: missing, counted, nothing shifted.
    EXPECT_TRUE(when->isMissingAtIndex(2));
    EXPECT_EQ(str(ds, "code", 2), "0044");
    EXPECT_EQ(r.warningCount, 4u);  // three values, and "ghost" is not in the data
    ASSERT_EQ(r.warnings.size(), 4u);
    EXPECT_NE(r.warnings[0].find("\"ghost\""), std::string::npos) << r.warnings[0];
    EXPECT_NE(r.warnings[1].find("t.csv:4: \"soon\""), std::string::npos) << r.warnings[1];
    EXPECT_TRUE(when->isMissingAtIndex(3));
}

TEST(CSVReader, RefusesBrokenFilesWithFileLineAndProblem) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"a,b\n1,2\n3\n", "t.csv:3: row has 1 field, expected 2"},
        {"a,b\n1,2\n3,4,5\n", "t.csv:3: row has more than 2 fields"},
        {"a,b\n1,2\nx\"y,3\n", "t.csv:3: bad quoting"},
        {"a,b\n\"1\"x,2\n", "t.csv:2: bad quoting"},
        {"a,b\n1,\"open\n2,3\n", "unterminated quoted field"},
        {"a,b\n1,2\n\xC3(,3\n", "t.csv:3: text is not UTF-8"},
        {"a,a\n1,2\n", "t.csv:1: duplicate column name \"a\""},
        {"", "no header row"},
    };
    for (const auto& c : cases) {
        auto r = read(c.text);
        EXPECT_FALSE(r.ok()) << c.text;
        EXPECT_NE(r.error.find(c.message), std::string::npos) << "got: " << r.error;
    }
    CSVReader::Options o;
    o.columns = {{"a", "", "NOPE9.", 0, -1}};
    auto r = read("a\n1\n", o);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("unknown format"), std::string::npos);
    EXPECT_FALSE(CSVReader::readFile(test::tempDir() + "/no/such.csv").ok());
}

TEST(CSVReader, HeaderOnlyEmptyNamesAndOtherDelimiters) {
    auto r = read("a,,c\n");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.dataSet->getRowCount(), 0u);
    EXPECT_EQ(r.dataSet->getColumnCount(), 3u);
    EXPECT_TRUE(r.dataSet->getColumnWithName("Column2"));
    EXPECT_EQ(r.warningCount, 1u);

    CSVReader::Options o;
    o.delimiter = ';';
    o.inferTypes = false;
    auto s = read("x;y\n1,5;2\n", o);
    ASSERT_TRUE(s.ok()) << s.error;
    EXPECT_EQ(str(*s.dataSet, "x", 0), "1,5");
    EXPECT_TRUE(s.dataSet->getColumnWithName("y")->isCharacter());
}

TEST(CSVReader, MetadataFileBesideTheData) {
    std::string dir = test::tempDir();
    ASSERT_TRUE(FileSystemManager::writeToFile("region,when,amount\nEast,2024-01-31,5\nWest,2024-02-29,7\n",
                                               dir + "/orders.csv"));
    ASSERT_TRUE(FileSystemManager::writeToFile("name,label,format,usage\n"
                                               "when,Order date,MMDDYY10.,category\n"
                                               "amount,Amount,COMMA8.1,measure\n",
                                               dir + "/orders.columns.csv"));
    auto r = CSVReader::readFile(dir + "/orders.csv");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.metadataFile, dir + "/orders.columns.csv");
    auto& ds = *r.dataSet;
    EXPECT_EQ(*ds.getName(), "orders");
    EXPECT_EQ(*ds.getColumnWithName("when")->getFormattedValueAtIndex(1), "02/29/2024");
    EXPECT_EQ(*ds.getColumnWithName("amount")->getLabel(), "Amount");
    EXPECT_EQ(*ds.getColumnWithName("amount")->getFormattedValueAtIndex(0), "5.0");

    ASSERT_TRUE(FileSystemManager::writeToFile("name,usage\namount,sometimes\n", dir + "/orders.columns.csv"));
    auto bad = CSVReader::readFile(dir + "/orders.csv");
    EXPECT_FALSE(bad.ok());
    EXPECT_NE(bad.error.find("orders.columns.csv:2: usage must be category or measure"), std::string::npos)
        << bad.error;
}

TEST(CSVReader, ManyWarningsAreCountedAndAFewListed) {
    std::string text = "d,n\n";
    for (int i = 0; i < 30; ++i) text += "not a date," + std::to_string(i) + "\n";
    text += "2024-02-29, +7 \n";
    CSVReader::Options o;
    o.columns = {{"d", "", "DATE9.", 0, -1}};
    auto r = read(text, o);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.warningCount, 30u);
    EXPECT_EQ(r.warnings.size(), CSVReader::MAX_LISTED_WARNINGS);
    EXPECT_EQ(r.dataSet->getRowCount(), 31u);
    EXPECT_EQ(*r.dataSet->getColumnWithName("d")->getFormattedValueAtIndex(30), "29FEB2024");
    auto n = r.dataSet->getColumnWithName("n");
    EXPECT_TRUE(n->isNumeric());  // spaces and a plus sign around a number are fine
    EXPECT_EQ(n->getNumberAtIndex(30), 7);
}

TEST(CSVReader, EmptyInputIsRefusedCleanly) {
    EXPECT_FALSE(CSVReader::readString(std::string_view()).ok());
    std::string dir = test::tempDir();
    ASSERT_TRUE(FileSystemManager::writeToFile("", dir + "/empty.csv"));
    auto r = CSVReader::readFile(dir + "/empty.csv");
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("no header row"), std::string::npos) << r.error;
}
