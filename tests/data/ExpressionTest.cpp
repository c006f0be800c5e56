// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/CompoundBooleanExpression.h"
#include "orvane/host/data/CompoundWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/ExpressionUtil.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/WhereClauseExpression.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orvane;
using B = ExpressionBuilder;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Rows:        0        1        2        3       4        5       6        7
// region:      East     West     East     ""      North    West    East     South
// amount:      10       .        -3       7       100      7       20       .
// day:         14670    0        -1       14669   3653     14670   .        20000
std::shared_ptr<DataSet> data() {
    auto ds = DataSet::create("d");
    ds->addColumn(Column::createCharacter("region", {"East", "West", "East", "", "North", "West", "East", "South"}));
    ds->addColumn(Column::createNumeric("amount", {10, kNaN, -3, 7, 100, 7, 20, kNaN}));
    ds->addColumn(Column::createNumeric("day", {14670, 0, -1, 14669, 3653, 14670, kNaN, 20000}, "DATE9."));
    return ds;
}

std::vector<int> rows(const std::shared_ptr<DataSet>& ds, const std::string& text) {
    std::string error;
    auto e = Expression::parse(text, &error);
    EXPECT_TRUE(e) << text << ": " << error;
    if (!e) return {-1};
    auto w = e->toWhereClause(ds);
    if (!w) return {-2};
    return ds->getRowIndicesThatEvaluateToState(w, 1);
}
} // namespace

TEST(Expression, TextReadsBackToAnEqualExpression) {
    std::vector<B::ExprPtr> exprs{
        B::eq(B::var("Region"), B::const_("East")),
        B::in(B::var("Region"), {B::const_("East"), B::const_("West \"quoted\"")}),
        B::between_(B::var_("Sales"), B::const_(10), B::const_(20.5), 1, 0),
        B::between(B::var("Sales"), B::const_(-1e300), B::const_(1e-7), 0, 1),
        B::and_({B::ge(B::var("a"), B::const_(1)), B::lt(B::var("a"), B::const_(2))}),
        B::or_({B::eq(B::var("x"), B::const_(1))}),  // one operand is still an or
        B::and_({B::or_({B::eq(B::var("x"), B::const_(1)), B::eq(B::var("x"), B::const_(2))}),
                 B::not_(B::isMissing(B::var("y"))), B::ne(B::var("z"), B::const_(DataValue::createMissing()))}),
        B::and_({B::and_({B::eq(B::var("p"), B::const_(1)), B::eq(B::var("q"), B::const_(2))}),
                 B::eq(B::var("r"), B::const_(3))}),  // nesting is kept
        B::eq(B::var("d"), B::const_(DataValue::createDate(14670))),
        B::eq(B::var("d"), B::const_(DataValue::createDate(14670.5))),
        B::lt(B::var("t"), B::const_(DataValue::createDateTime(315619261))),
        B::ge(B::var("t"), B::const_(DataValue::createTime(45296))),
        B::eq(B::var("d"), B::const_(DataValue::createMissing(DataValue::Type::Date))),
        B::eq(B::var("m"), B::const_(DataValue::createAllOthers())),
        B::gt(B::const_(5), B::var("x")),             // constant first
        B::eq(B::var("x"), B::var("y")),               // two variables
        B::eq(B::const_("a"), B::var("weird name")),  // string constant first
        B::in(B::var("x"), {}),
    };
    for (const auto& e : exprs) {
        std::string text = e->toString();
        std::string error;
        auto back = Expression::parse(text, &error);
        ASSERT_TRUE(back) << text << ": " << error;
        EXPECT_TRUE(back->equals(*e)) << text << " -> " << back->toString();
        EXPECT_EQ(back->toString(), text);
    }
    EXPECT_EQ(exprs[1]->toString(), "\"Region\" in (\"East\", \"West \"\"quoted\"\"\")");
    EXPECT_EQ(exprs[8]->toString(), "\"d\" = \"01MAR2000\"d");

    // The saved-state form of hierarchies, and a few spellings people write.
    auto h = Expression::parse("\"Region\" in (\"East\", \"West\")");
    ASSERT_TRUE(h);
    EXPECT_TRUE(h->equals(*B::in(B::var("Region"), {B::const_("East"), B::const_("West")})));
    auto loose = Expression::parse("Region EQ 'East' AND NOT (Sales lt 5) or Units is not missing");
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->toString(), "(\"Region\" = \"East\" and not (\"Sales\" < 5)) or not (\"Units\" is missing)");
}

TEST(Expression, BadTextIsRefusedWithAReason) {
    for (const char* bad : {"", "\"x\" =", "\"x\" in (1, 2", "\"x\" between 1 5", "(\"x\" = 1", "\"x\" = 1 1",
                            "\"x\" = \"bad\"d", "\"x\" ~ 1", "\"open", "5", "and", "\"x\" is there"}) {
        std::string error;
        EXPECT_FALSE(Expression::parse(bad, &error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    std::string deep(5000, '(');
    EXPECT_FALSE(Expression::parse(deep + "\"x\" = 1" + std::string(5000, ')')));
}

TEST(Expression, Validity) {
    EXPECT_TRUE(B::eq(B::var("x"), B::const_(1))->isValid());
    EXPECT_TRUE(B::eq(B::const_(1), B::var("x"))->isValid());
    EXPECT_FALSE(B::eq(B::const_(1), B::const_(1))->isValid());  // no variable
    EXPECT_FALSE(B::eq(B::var("x"), B::var("y"))->isValid());
    EXPECT_FALSE(B::var("x")->isValid());
    EXPECT_FALSE(B::between(B::var("x"), B::var("y"), B::const_(1))->isValid());
    EXPECT_FALSE(B::and_({B::eq(B::var("x"), B::const_(1)), B::var("y")})->isValid());
    EXPECT_TRUE(B::not_(B::isMissing(B::var("x")))->isValid());
    EXPECT_FALSE(B::and_(std::vector<B::ExprPtr>{}));  // joining nothing gives nothing
    EXPECT_FALSE(B::or_({nullptr, nullptr}));
    EXPECT_FALSE(B::not_(nullptr));
    auto one = B::and_({nullptr, B::eq(B::var("x"), B::const_(1))});
    ASSERT_TRUE(std::dynamic_pointer_cast<CompoundBooleanExpression>(one));
    EXPECT_EQ(one->getOperands().size(), 1u);
}

TEST(WhereClause, EvaluatesToHandComputedRows) {
    auto ds = data();
    EXPECT_EQ(rows(ds, "\"region\" = \"East\""), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(rows(ds, "\"region\" <> \"East\""), (std::vector<int>{1, 4, 5, 7}));  // missing "" excluded
    EXPECT_EQ(rows(ds, "\"region\" in (\"West\", \"North\", \"Nowhere\")"), (std::vector<int>{1, 4, 5}));
    EXPECT_EQ(rows(ds, "\"region\" is missing"), (std::vector<int>{3}));
    EXPECT_EQ(rows(ds, "\"region\" = \"\""), (std::vector<int>{3}));
    EXPECT_EQ(rows(ds, "\"region\" between \"N\" and \"T\""), (std::vector<int>{4, 7}));
    EXPECT_EQ(rows(ds, "\"amount\" > 7"), (std::vector<int>{0, 4, 6}));
    EXPECT_EQ(rows(ds, "\"amount\" <= 7"), (std::vector<int>{2, 3, 5}));
    EXPECT_EQ(rows(ds, "\"amount\" <> 7"), (std::vector<int>{0, 2, 4, 6}));  // missing rows never differ
    EXPECT_EQ(rows(ds, "\"amount\" = ."), (std::vector<int>{1, 7}));
    EXPECT_EQ(rows(ds, "\"amount\" <> ."), (std::vector<int>{0, 2, 3, 4, 5, 6}));
    EXPECT_EQ(rows(ds, "\"amount\" < ."), (std::vector<int>{}));
    EXPECT_EQ(rows(ds, "\"amount\" between 7 and 20"), (std::vector<int>{0, 3, 5, 6}));
    EXPECT_EQ(rows(ds, "\"amount\" between 7 and 20 exclusive"), (std::vector<int>{0}));
    EXPECT_EQ(rows(ds, "\"amount\" not between 7 and 20"), (std::vector<int>{2, 4}));
    EXPECT_EQ(rows(ds, "\"amount\" in (7, 100, .)"), (std::vector<int>{1, 3, 4, 5, 7}));
    EXPECT_EQ(rows(ds, "\"amount\" in (1, 2, 3, 4, 5, 6, 7, 10, 11, 12)"), (std::vector<int>{0, 3, 5}));
    EXPECT_EQ(rows(ds, "\"day\" = \"01MAR2000\"d"), (std::vector<int>{0, 5}));
    EXPECT_EQ(rows(ds, "\"day\" < \"01JAN1960\"d or \"day\" is missing"), (std::vector<int>{2, 6}));
    EXPECT_EQ(rows(ds, "\"region\" = \"East\" and \"amount\" > 0"), (std::vector<int>{0, 6}));
    EXPECT_EQ(rows(ds, "\"region\" = \"East\" or \"amount\" = 7"), (std::vector<int>{0, 2, 3, 5, 6}));
    EXPECT_EQ(rows(ds, "not (\"region\" = \"East\")"), (std::vector<int>{1, 3, 4, 5, 7}));
    EXPECT_EQ(rows(ds, "5 < \"amount\""), (std::vector<int>{0, 3, 4, 5, 6}));

    // State 0: the rows for which the clause is false.
    auto w = Expression::parse("\"amount\" > 7")->toWhereClause(ds);
    EXPECT_EQ(ds->getRowIndicesThatEvaluateToState(w, 0), (std::vector<int>{1, 2, 3, 5, 7}));

    // The same answers one row at a time.
    for (const char* text : {"\"region\" = \"East\" and \"amount\" > 0", "\"amount\" <> 7", "\"amount\" in (7, 100, .)",
                             "\"amount\" not between 7 and 20", "\"region\" is missing"}) {
        auto e = Expression::parse(text);
        std::vector<int> perRow;
        for (size_t r = 0; r < ds->getRowCount(); ++r)
            if (e->evaluate([&](const std::string& name) {
                    auto c = ds->getColumnWithName(name);
                    return c ? c->getDataValueAtIndex(r) : nullptr;
                }))
                perRow.push_back(static_cast<int>(r));
        EXPECT_EQ(perRow, rows(ds, text)) << text;
    }
}

TEST(WhereClause, UnknownVariablesAndMixedTypesGiveNoRows) {
    auto ds = data();
    CLogCapture log;
    EXPECT_FALSE(Expression::parse("\"nope\" = 1")->toWhereClause(ds));
    EXPECT_TRUE(log.contains("nope"));
    EXPECT_EQ(rows(ds, "\"amount\" = \"ten\""), (std::vector<int>{}));
    EXPECT_TRUE(log.contains("ten"));
    EXPECT_EQ(rows(ds, "\"region\" = 5 or \"amount\" > 0"), (std::vector<int>{}));  // the whole clause fails
    auto byHand = WhereClauseExpression::create("missing column", WhereClauseExpression::Operator::EQ,
                                                DataValue::create(1.0));
    EXPECT_TRUE(ds->getRowIndicesThatEvaluateToState(byHand, 1).empty());
    EXPECT_TRUE(log.contains("missing column"));
    EXPECT_TRUE(ds->getRowIndicesThatEvaluateToState(std::shared_ptr<AbstractWhereClauseExpression>(), 1).empty());

    // Without a data set the names are kept; a resolver may map names to columns.
    auto e = Expression::parse("\"Geography\" = \"East\"");
    auto kept = e->toWhereClause(nullptr);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->getColumnNames(), (std::vector<std::string>{"Geography"}));
    Expression::WhereClauseOptions options;
    options.resolveVariable = [](const std::string& v) { return v == "Geography" ? "region" : ""; };
    auto resolved = e->toWhereClause(ds, options);
    ASSERT_TRUE(resolved);
    EXPECT_EQ(ds->getRowIndicesThatEvaluateToState(resolved, 1), (std::vector<int>{0, 2, 6}));
}

TEST(WhereClause, BinnedVariablesBecomeRanges) {
    auto ds = data();
    Expression::WhereClauseOptions options;
    options.binRange = [](const std::string& v, const DataValue& bin, double& start, double& end) {
        if (v != "amount") return false;
        start = bin.getNumber() * 10;  // bin k holds [10k, 10k + 10)
        end = start + 10;
        return true;
    };
    auto w = Expression::parse("\"amount\" in (0, 1)")->toWhereClause(ds, options);
    ASSERT_TRUE(w);
    EXPECT_EQ(ds->getRowIndicesThatEvaluateToState(w, 1), (std::vector<int>{0, 3, 5}));
    auto single = Expression::parse("\"amount\" = 10")->toWhereClause(ds, options);
    EXPECT_EQ(ds->getRowIndicesThatEvaluateToState(single, 1), (std::vector<int>{4}));
}

TEST(WhereClause, WalkRenameAndBackToText) {
    auto w = Expression::parse("\"a\" = 1 and (\"b\" in (2, 3) or \"a\" is missing)")->toWhereClause(nullptr);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->getColumnNames(), (std::vector<std::string>{"a", "b"}));
    std::vector<std::string> values;
    w->forEachSimpleClause([&](WhereClauseExpression& c) {
        if (c.getColumnName() == "a") c.setColumnName("A");
        for (auto& v : c.getValues()) values.push_back(v->toString());
    });
    EXPECT_EQ(values, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(w->toString(), "\"A\" = 1 and (\"b\" in (2, 3) or \"A\" is missing)");
    EXPECT_TRUE(w->equals(*w->clone()));
    auto other = Expression::parse("\"A\" = 1 and (\"b\" in (2, 3) or \"A\" is missing)")->toWhereClause(nullptr);
    EXPECT_TRUE(w->equals(*other));
    EXPECT_FALSE(w->equals(*Expression::parse("\"A\" = 1")->toWhereClause(nullptr)));
}

TEST(ExpressionUtil, NamesHomogenizeAndRemove) {
    auto e = Expression::parse("(\"b\" = 1 and (\"a\" = 2 and 3 > \"c\")) and \"b\" in (4)");
    EXPECT_EQ(ExpressionUtil::extractAllVariableNames(e), (std::vector<std::string>{"b", "a", "c"}));

    auto h = ExpressionUtil::homogenize(e);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->toString(), "\"b\" = 1 and \"a\" = 2 and \"c\" < 3 and \"b\" in (4)");
    EXPECT_FALSE(ExpressionUtil::homogenize(Expression::parse("not (\"a\" = 1)")));
    EXPECT_EQ(ExpressionUtil::homogenize(Expression::parse("or(\"a\" = 1)"))->toString(), "\"a\" = 1");

    auto terms = Expression::parse("\"a\" = 1 or \"b\" = 2 or \"c\" = 3");
    auto less = ExpressionUtil::removeTermFromExpression(terms, Expression::parse("\"b\" = 2"));
    EXPECT_EQ(less->toString(), "\"a\" = 1 or \"c\" = 3");
    less = ExpressionUtil::removeTermFromExpression(less, Expression::parse("\"a\" = 1"));
    EXPECT_EQ(less->toString(), "\"c\" = 3");  // one operand left: the operand itself
    EXPECT_FALSE(ExpressionUtil::removeTermFromExpression(less, Expression::parse("\"c\" = 3")));
    EXPECT_EQ(ExpressionUtil::removeTermFromExpression(terms, Expression::parse("\"z\" = 9")), terms);

    auto renamed = ExpressionUtil::renameVariables(e, {{"b", "B"}});
    EXPECT_EQ(ExpressionUtil::extractAllVariableNames(renamed), (std::vector<std::string>{"B", "a", "c"}));
    EXPECT_TRUE(ExpressionUtil::containsVariable(renamed, "c"));
    EXPECT_FALSE(ExpressionUtil::containsVariable(renamed, "b"));
}

TEST(WhereClause, StringRangesTypedListsAndNameLiterals) {
    auto ds = data();
    EXPECT_EQ(rows(ds, "\"region\" < \"F\""), (std::vector<int>{0, 2, 6}));  // the missing "" is not less
    EXPECT_EQ(rows(ds, "\"region\" >= \"South\""), (std::vector<int>{1, 5, 7}));
    EXPECT_EQ(rows(ds, "\"region\" between \"N\" and \"West\" exclusive"), (std::vector<int>{4, 7}));
    EXPECT_EQ(rows(ds, "\"region\" not between \"N\" and \"T\""), (std::vector<int>{0, 1, 2, 5, 6}));
    EXPECT_EQ(rows(ds, "\"day\" in (\"01MAR2000\"d, \"31DEC1959\"d, .)"), (std::vector<int>{0, 2, 5, 6}));
    EXPECT_EQ(rows(ds, "region = 'West' and amount is not missing"), (std::vector<int>{5}));

    // A variable in the place of a constant is written "name"n; two variables
    // have no where-clause.
    auto e = Expression::parse("\"amount\" = \"day\"n");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->getOperands()[1]->getType(), Expression::Type::VARIABLE);
    CLogCapture log;
    EXPECT_FALSE(e->toWhereClause(ds));
    EXPECT_TRUE(log.contains("needs a variable and a constant"));
}
