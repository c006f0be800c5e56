// SPDX-License-Identifier: Apache-2.0
// Reading CSV text in pieces on several threads: pieces cut at record
// boundaries that respect quoting, joined in order, with the same values,
// types, warnings and errors as reading the text in one piece.
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/io/FileSystemManager.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <unordered_set>

using namespace orvane;

namespace {

CSVReader::Options pieces(size_t chunkBytes, unsigned threads) {
    CSVReader::Options o;
    o.chunkBytes = chunkBytes;
    o.threads = threads;
    return o;
}

CSVReader::Result read(std::string_view text, const CSVReader::Options& o) {
    return CSVReader::readString(text, o, "t.csv");
}

std::string str(const DataSet& ds, const char* column, size_t row) {
    auto c = ds.getColumnWithName(column);
    auto s = c ? c->getStringAtIndex(row) : nullptr;
    return s ? *s : std::string("<none>");
}

// Every column of a and b holds the same type and values in the same order
// (character columns: the same strings under the same codes).
void expectSameData(const DataSet& a, const DataSet& b, const std::string& what) {
    ASSERT_EQ(a.getColumnCount(), b.getColumnCount()) << what;
    ASSERT_EQ(a.getRowCount(), b.getRowCount()) << what;
    for (size_t c = 0; c < a.getColumnCount(); ++c) {
        auto x = a.getColumnAtIndex(c), y = b.getColumnAtIndex(c);
        ASSERT_EQ(*x->getName(), *y->getName()) << what;
        ASSERT_EQ(x->isNumeric(), y->isNumeric()) << what << " column " << *x->getName();
        if (x->isNumeric()) {
            for (size_t r = 0; r < a.getRowCount(); ++r) {
                double u = x->getNumberAtIndex(r), v = y->getNumberAtIndex(r);
                ASSERT_TRUE((std::isnan(u) && std::isnan(v)) || u == v) << what << " row " << r;
            }
        } else {
            ASSERT_EQ(x->getCodes(), y->getCodes()) << what << " column " << *x->getName();
            ASSERT_EQ(x->getDictionary().size(), y->getDictionary().size()) << what;
            for (size_t k = 0; k < x->getDictionary().size(); ++k)
                ASSERT_EQ(*x->getDictionary()[k], *y->getDictionary()[k]) << what;
        }
    }
}

} // namespace

TEST(CSVParallelRead, QuotedLineEndsAcrossPieceBoundaries) {
    // Quoted fields full of line ends and delimiters, with pieces so small
    // that most boundaries would fall inside one if cut at any line end.
    std::string text = "id,note,n\n";
    for (int i = 0; i < 200; ++i)
        text += std::to_string(i) + ",\"line one\nline two, \"\"quoted\"\"\n\n" + std::to_string(i) + "\"," +
                std::to_string(i * 2) + "\n";
    for (unsigned threads : {1u, 2u, 3u}) {
        for (size_t chunk : {64u, 97u, 150u, 1000u}) {
            auto r = read(text, pieces(chunk, threads));
            ASSERT_TRUE(r.ok()) << r.error;
            const DataSet& ds = *r.dataSet;
            ASSERT_EQ(ds.getRowCount(), 200u) << chunk;
            for (size_t row : {0u, 1u, 57u, 199u}) {
                EXPECT_EQ(str(ds, "note", row),
                          "line one\nline two, \"quoted\"\n\n" + std::to_string(row))
                    << "chunk " << chunk << " threads " << threads;
                EXPECT_EQ(ds.getColumnWithName("n")->getNumberAtIndex(row), static_cast<double>(row * 2));
            }
        }
    }
}

TEST(CSVParallelRead, ProblemsInLaterPiecesReportTheirTrueLine) {
    std::string text = "a,b,c\n";
    for (int i = 0; i < 100; ++i) text += std::to_string(i) + ",\"x\ny\"," + std::to_string(i) + "\n";
    // Each record takes two lines: record 60 ends on line 1 + 2 * 60 + 1.
    std::string ragged = text + "1,2\n";
    auto r = read(ragged, pieces(64, 2));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "t.csv:202: row has 2 fields, expected 3");

    std::string longer = text + "1,2,3,4\n" + text.substr(6);
    r = read(longer, pieces(64, 2));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "t.csv:202: row has more than 3 fields");

    std::string quote = text + "1,2\"x,3\n" + text.substr(6);
    r = read(quote, pieces(64, 2));
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("t.csv:202: bad quoting"), std::string::npos) << r.error;

    std::string open = text + "1,\"open,3\n1,2,3\n4,5,6\n";
    r = read(open, pieces(64, 2));
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("unterminated quoted field"), std::string::npos) << r.error;

    std::string utf = text + "1,\xC3(,3\n";
    r = read(utf, pieces(64, 2));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, "t.csv:202: text is not UTF-8 (byte 0xC3)");

    // The same through a file read piece by piece.
    std::string path = test::tempDir() + "/ragged.csv";
    ASSERT_TRUE(FileSystemManager::writeToFile(ragged, path));
    auto f = CSVReader::readFile(path, pieces(64, 2));
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(f.error, path + ":202: row has 2 fields, expected 3");
}

TEST(CSVParallelRead, TypesAgreeAcrossPieces) {
    // "late" is numeric for 300 rows, then text: the whole column is text,
    // its early values as written ("1.50", not 1.5). "early" is text in the
    // first row only. "num" stays numeric throughout, "NA" being missing.
    std::string text = "late,early,num\n";
    for (int i = 0; i < 400; ++i) {
        std::string late = i == 300 ? "n/a yet" : std::to_string(i) + ".50";
        std::string early = i == 0 ? "word" : std::to_string(i);
        std::string num = i % 7 == 0 ? "NA" : std::to_string(i);
        text += late + "," + early + "," + num + "\n";
    }
    CSVReader::Result one = read(text, pieces(1u << 20, 1));
    ASSERT_TRUE(one.ok()) << one.error;
    for (unsigned threads : {1u, 2u, 4u}) {
        for (size_t chunk : {64u, 300u, 2048u}) {
            auto r = read(text, pieces(chunk, threads));
            ASSERT_TRUE(r.ok()) << r.error;
            const DataSet& ds = *r.dataSet;
            EXPECT_TRUE(ds.getColumnWithName("late")->isCharacter());
            EXPECT_TRUE(ds.getColumnWithName("early")->isCharacter());
            EXPECT_TRUE(ds.getColumnWithName("num")->isNumeric());
            EXPECT_EQ(str(ds, "late", 1), "1.50");
            EXPECT_EQ(str(ds, "late", 300), "n/a yet");
            EXPECT_EQ(str(ds, "early", 399), "399");
            EXPECT_TRUE(ds.getColumnWithName("num")->isMissingAtIndex(14));
            expectSameData(*one.dataSet, ds, "chunk " + std::to_string(chunk));
        }
    }
    // The same through a file: the second reading of "late" re-reads the file.
    std::string path = test::tempDir() + "/late.csv";
    ASSERT_TRUE(FileSystemManager::writeToFile(text, path));
    auto f = CSVReader::readFile(path, pieces(100, 2));
    ASSERT_TRUE(f.ok()) << f.error;
    expectSameData(*one.dataSet, *f.dataSet, "file");
}

TEST(CSVParallelRead, SmallEmptyAndOneColumnFiles) {
    std::string dir = test::tempDir();
    // Smaller than one piece.
    ASSERT_TRUE(FileSystemManager::writeToFile("x,y\n1,a\n2,b", dir + "/small.csv"));
    auto r = CSVReader::readFile(dir + "/small.csv");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.dataSet->getRowCount(), 2u);
    EXPECT_EQ(str(*r.dataSet, "y", 1), "b");

    // Empty, through both entries and any piece size.
    ASSERT_TRUE(FileSystemManager::writeToFile("", dir + "/empty.csv"));
    for (size_t chunk : {0u, 64u}) {
        auto e = CSVReader::readFile(dir + "/empty.csv", pieces(chunk, 2));
        EXPECT_EQ(e.error, dir + "/empty.csv:1: no header row");
        EXPECT_EQ(read("", pieces(chunk, 2)).error, "t.csv:1: no header row");
        EXPECT_EQ(read("\xEF\xBB\xBF\n\n", pieces(chunk, 2)).error, "t.csv:1: no header row");
    }

    // One column: every line a record, blank lines skipped, a last value
    // without a line end kept.
    std::string one = "\xEF\xBB\xBFvalue\r\n";
    for (int i = 0; i < 500; ++i) one += (i % 50 == 0 ? std::string("\r\n") : std::string()) + std::to_string(i) + "\r\n";
    one += "500";
    ASSERT_TRUE(FileSystemManager::writeToFile(one, dir + "/one.csv"));
    for (size_t chunk : {64u, 128u, 0u}) {
        auto c = CSVReader::readFile(dir + "/one.csv", pieces(chunk, 2));
        ASSERT_TRUE(c.ok()) << c.error;
        ASSERT_EQ(c.dataSet->getRowCount(), 501u);
        auto v = c.dataSet->getColumnWithName("value");
        ASSERT_TRUE(v && v->isNumeric());
        for (size_t i = 0; i <= 500; ++i) ASSERT_EQ(v->getNumberAtIndex(i), static_cast<double>(i)) << chunk;
    }
}

TEST(CSVParallelRead, FormatWarningsKeepTheirLinesAndOrder) {
    std::string text = "d,note\n";
    for (int i = 0; i < 60; ++i)
        text += (i % 3 == 0 ? std::string("bad") + std::to_string(i) : std::string("2024-01-01")) + ",\"a\nb\"\n";
    CSVReader::Options o = pieces(64, 2);
    o.columns = {{"d", "", "YYMMDD10.", 0, -1}};
    auto r = read(text, o);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.warningCount, 20u);
    ASSERT_EQ(r.warnings.size(), 20u);
    // Record i ends on line 3 + 2 * i.
    EXPECT_EQ(r.warnings[0].rfind("t.csv:3: \"bad0\"", 0), 0u) << r.warnings[0];
    EXPECT_EQ(r.warnings[19].rfind("t.csv:117: \"bad57\"", 0), 0u) << r.warnings[19];
    CSVReader::Options whole = o;
    whole.chunkBytes = 1u << 20;
    whole.threads = 1;
    EXPECT_EQ(read(text, whole).warnings, r.warnings);
}

TEST(CSVParallelRead, RandomTextReadsTheSameInPiecesAsWhole) {
    std::mt19937 rng(11);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const char* words[] = {"a", "bb", "x y", "Müller", "", "NA", "12", "-3.5e2", " 7 ", "+4", "1,2", "q\"q", "l\nf", "c\r\n"};
    for (int round = 0; round < 40; ++round) {
        int columns = 1 + pick(5), rows = pick(300);
        std::string text;
        for (int c = 0; c < columns; ++c) text += (c ? "," : "") + std::string("c") + std::to_string(c);
        text += pick(2) ? "\r\n" : "\n";
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                if (c) text += ",";
                std::string w = pick(3) ? std::to_string(pick(1000)) : words[pick(14)];
                bool quote = w.find_first_of(",\"\r\n") != std::string::npos || pick(8) == 0;
                if (quote) {
                    std::string q = "\"";
                    for (char ch : w) q += ch == '"' ? std::string("\"\"") : std::string(1, ch);
                    w = q + "\"";
                }
                text += w;
            }
            text += pick(10) == 0 ? "\r\n" : "\n";
            if (pick(20) == 0) text += "\n";
        }
        if (pick(2)) text.pop_back();
        auto whole = read(text, pieces(1u << 20, 1));
        ASSERT_TRUE(whole.ok()) << whole.error << "\n" << text;
        for (size_t chunk : {64u, 100u, 333u}) {
            auto part = read(text, pieces(chunk, 1 + static_cast<unsigned>(round % 3)));
            ASSERT_TRUE(part.ok()) << part.error;
            expectSameData(*whole.dataSet, *part.dataSet, "round " + std::to_string(round));
        }
    }
}

TEST(CSVParallelRead, ManyDistinctStringsKeepRowOrderAndFirstSeenCodes) {
    // "name" has 20,000 distinct values (a dictionary too large for the cache,
    // looked up a few values late), some unescaped from doubled quotes;
    // "late" turns to text in the middle of a piece while names still wait.
    std::vector<std::string> names, firstSeen;
    std::string text = "name,late,kind\n";
    std::unordered_set<std::string> seen;
    for (int i = 0; i < 30000; ++i) {
        int n = (i * 7919) % 20000;
        std::string name = i % 97 == 0 ? "say \"hi\" " + std::to_string(n) : "name " + std::to_string(n);
        names.push_back(name);
        if (seen.insert(name).second) firstSeen.push_back(name);
        std::string field = i % 97 == 0 ? "\"say \"\"hi\"\" " + std::to_string(n) + "\"" : name;
        text += field + "," + (i == 15000 ? std::string("none") : std::to_string(i)) + "," + (i % 3 ? "a" : "b") + "\n";
    }
    for (unsigned threads : {1u, 2u}) {
        for (size_t chunk : {size_t(1) << 22, size_t(50000)}) {
            auto r = read(text, pieces(chunk, threads));
            ASSERT_TRUE(r.ok()) << r.error;
            const DataSet& ds = *r.dataSet;
            auto name = ds.getColumnWithName("name");
            ASSERT_EQ(ds.getRowCount(), names.size());
            for (size_t i = 0; i < names.size(); ++i) ASSERT_EQ(*name->getStringAtIndex(i), names[i]) << i;
            ASSERT_EQ(name->getDictionary().size(), firstSeen.size() + 1);
            for (size_t k = 0; k < firstSeen.size(); ++k) ASSERT_EQ(*name->getDictionary()[k + 1], firstSeen[k]) << k;
            auto late = ds.getColumnWithName("late");
            ASSERT_TRUE(late->isCharacter());
            EXPECT_EQ(str(ds, "late", 14999), "14999");
            EXPECT_EQ(str(ds, "late", 15000), "none");
            EXPECT_EQ(str(ds, "late", 29999), "29999");
        }
    }
}
