// SPDX-License-Identifier: Apache-2.0
// orvane inspect --crosstab: the crossings of a data file as a text table.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/format/FormatterFactory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using orvane::test::runTool;

namespace {
bool toolBuilt() { return std::ifstream(orvane::test::binaryDir() + "/bin/orvane").good(); }
const std::string kFile = orvane::test::sourceDir() + "/examples/crosstab/orders.csv";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string l;
    while (std::getline(in, l)) out.push_back(l);
    return out;
}
} // namespace

TEST(InspectCrosstabTool, PrintsMembersSubtotalsAndTheGrandTotal) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    auto r = runTool({"inspect", "--crosstab", kFile, "--rows", "region,city", "--columns", "year", "--measures",
                      "revenue:sum,units:max", "--totals", "--subtotals"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto out = lines(r.out);
    ASSERT_GE(out.size(), 3u);
    EXPECT_NE(out[0].find("Total | revenue"), std::string::npos);
    EXPECT_NE(out[0].find("units (max)"), std::string::npos);
    // The grand total of revenue, read independently from the file.
    auto data = orvane::CSVReader::readFile(kFile).dataSet;
    ASSERT_TRUE(data);
    double sum = 0;
    for (double v : data->getColumnWithName("revenue")->getNumbers())
        if (v == v) sum += v;
    auto total = orvane::FormatterFactory::getFormatter("DOLLAR12.2")->format(sum);
    const std::string& last = out.back();
    EXPECT_EQ(last.rfind("Total", 0), 0u);
    EXPECT_NE(last.find(total.substr(total.find_first_not_of(' '))), std::string::npos) << last << " vs " << total;
    size_t subtotals = 0;
    for (const auto& l : out) subtotals += l.find("Subtotal") != std::string::npos;
    EXPECT_EQ(subtotals, 3u);   // East, North, West
    // Without --totals and --subtotals neither appears.
    auto plain = runTool({"inspect", "--crosstab", kFile, "--rows", "region,city", "--measures", "revenue"});
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.find("Subtotal"), std::string::npos);
    EXPECT_EQ(plain.out.find("Total"), std::string::npos);
}

TEST(InspectCrosstabTool, RefusesUnknownNamesAndAggregations) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    auto a = runTool({"inspect", "--crosstab", kFile, "--rows", "nowhere", "--measures", "revenue"});
    EXPECT_EQ(a.status, 1);
    EXPECT_NE(a.err.find("no column named nowhere"), std::string::npos);
    auto b = runTool({"inspect", "--crosstab", kFile, "--rows", "region", "--measures", "revenue:often"});
    EXPECT_EQ(b.status, 1);
    EXPECT_NE(b.err.find("unknown aggregation often"), std::string::npos);
    // No measures is a usage error (status 2), as every usage error of the tool.
    auto c = runTool({"inspect", "--crosstab", kFile, "--rows", "region"});
    EXPECT_EQ(c.status, 2);
    auto d = runTool({"inspect", "--crosstab", kFile + ".absent", "--measures", "revenue"});
    EXPECT_EQ(d.status, 1);
}

TEST(InspectCrosstabTool, RankKeepsTheBestMembersAndTheTotalOfEveryRow) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    auto all = runTool({"inspect", "--crosstab", kFile, "--rows", "region", "--measures", "revenue:sum", "--totals"});
    auto ranked = runTool({"inspect", "--crosstab", kFile, "--rows", "region", "--measures", "revenue:sum", "--totals",
                           "--rank", "1"});
    ASSERT_EQ(all.status, 0) << all.err;
    ASSERT_EQ(ranked.status, 0) << ranked.err;
    auto a = lines(all.out), r = lines(ranked.out);
    // Header, the best region, all others, total (three regions without --rank).
    ASSERT_EQ(r.size(), 4u) << ranked.out;
    ASSERT_EQ(a.size(), 5u) << all.out;
    EXPECT_NE(r[2].find("All others"), std::string::npos) << r[2];
    // The grand total takes every row, ranked or not.
    auto lastWord = [](const std::string& l) { return l.substr(l.find_last_of(' ') + 1); };
    EXPECT_EQ(lastWord(r.back()), lastWord(a.back()));
    EXPECT_NE(runTool({"inspect", "--crosstab", kFile, "--rows", "region", "--measures", "revenue:sum", "--rank", "0"}).status, 0);
}
