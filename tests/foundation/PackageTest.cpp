// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/Feature.h"
#include "orvane/host/core/SuperModelDatabase.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/CellVisualType.h"
#include "orvane/package/Div.h"
#include "orvane/package/OneBaseUIParser.h"
#include "orvane/package/OrvaneUIModelContext.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/package/PreferredSizeBehaviorType.h"
#include "orvane/package/TotalsPosition.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace orvane;

TEST(Package, InstanceRunsTheOnceOnlyTasksOnce) {
    auto a = OrvaneUIPackage::instance();
    auto b = OrvaneUIPackage::instance();
    EXPECT_EQ(a, b);
    EXPECT_EQ(OrvaneUIPackage::onceTaskRuns(), 1);
    EXPECT_EQ(a->initialize(), 2);
    EXPECT_EQ(a->getWrapperTypeId(), 10010);
    EXPECT_EQ(PortablePackage::getPackage(2), a);
    EXPECT_EQ(OrvaneUIPackage::getDependencies().size(), 1u);
    EXPECT_TRUE(Multiverse::isEnabled(OrvaneUIPackage::TOGGLE_ON_TAP()));
    EXPECT_EQ(Multiverse::getFeature("toggleOnTap")->getDescription(),
              "Toggle selection on tap for graphs, tables, crosstabs, etc.");
    EXPECT_EQ(a->getEventTypeToNameMap().size(), 56u);
    std::set<int> ids;
    for (auto& p : a->getEventTypeToNameMap()) ids.insert(p.id);
    EXPECT_EQ(*ids.begin(), 20000);
    EXPECT_EQ(*ids.rbegin(), 20055);
    EXPECT_EQ(ids.size(), 56u);
    EXPECT_EQ(a->getWarningTypeToNameMap().size(), 3u);
    EXPECT_TRUE(a->getNLSData().locales.empty());
}

TEST(ModelDatabase, CreatesExactlyTheListedModels) {
    auto* db = BaseUIModelDatabase::instance();
    EXPECT_FALSE(db->createModel(10004));
    EXPECT_FALSE(db->createModel(10060));
    EXPECT_FALSE(db->createModel(10005));
    EXPECT_FALSE(db->createModel(10016));
    EXPECT_FALSE(db->createModel(5));
    auto div = db->createModel(10028);
    ASSERT_TRUE(std::dynamic_pointer_cast<Div>(div));
    int created = 0;
    for (int id = 10000; id <= 10100; ++id) {
        auto m = db->createModel(id);
        if (!m) continue;
        ++created;
        EXPECT_EQ(m->getWrapperTypeId(), id);
        // Every created model has one registered property per definition record.
        EXPECT_EQ(m->getProperties().size(), db->getModelDefinition(id, 0).properties.size()) << id;
        for (size_t i = 0; i < m->getProperties().size(); ++i)
            EXPECT_EQ(m->getProperties()[i]->getName(), db->getModelDefinition(id, 0).properties[i].name) << id;
    }
#ifdef ORVANE_WITHOUT_GEO
    // Built without the geo clients: their two models are not there.
    EXPECT_FALSE(db->createModel(10036));
    EXPECT_FALSE(db->createModel(10040));
    EXPECT_EQ(created, 33);
#else
    EXPECT_EQ(created, 35);
#endif
}

TEST(ModelDatabase, DefinitionRecords) {
    auto* db = BaseUIModelDatabase::instance();
    EXPECT_TRUE(db->getModelDefinition(10010, 3).isEmpty());
    EXPECT_TRUE(db->getModelDefinition(10003, 0).isEmpty());
    EXPECT_TRUE(db->getModelDefinition(99999, 0).isEmpty());
    const ModelDefinition& div = db->getModelDefinition(10028, 0);
    EXPECT_EQ(div.className, "Div");
    EXPECT_EQ(div.elementName, "div");
    EXPECT_EQ(div.modelFlags, 5u);
    ASSERT_EQ(div.aliases.size(), 1u);
    EXPECT_EQ(div.aliases[0].elementName, "div");
    EXPECT_EQ(std::vector<int32_t>(div.ancestry.begin(), div.ancestry.end()),
              (std::vector<int32_t>{10004, 13, 129, 51, 10028}));
    ASSERT_EQ(div.properties[0].aliases.size(), 1u);
    EXPECT_EQ(div.properties[0].aliases[0].alias, "class");

    const ModelDefinition& range = db->getModelDefinition(10063, 0);
    EXPECT_EQ(std::vector<int32_t>(range.ancestry.begin(), range.ancestry.end()),
              (std::vector<int32_t>{10080, 10060, 10004, 13, 129, 51, 10063}));
    const ModelDefinition& cfo = db->getModelDefinition(10011, 0);
    EXPECT_NE(cfo.properties[1].validator, nullptr);
    EXPECT_NE(cfo.properties[3].validator, nullptr);
    EXPECT_EQ(cfo.properties[0].validator, nullptr);
    const ModelDefinition& span = db->getModelDefinition(10085, 0);
    EXPECT_EQ(span.properties[2].flags, 0x20d10u);
    EXPECT_EQ(span.properties[3].flags, 0x20002014146u);
    const ModelDefinition& lc = db->getModelDefinition(10046, 0);
    EXPECT_EQ(lc.findProperty("growPercentageContext")->flags, 0x2010144u);
    EXPECT_EQ(lc.findProperty("responsiveWeights")->flags, 0x100010591u);
    EXPECT_EQ(db->getModelDefinition(10048, 0).findProperty("children")->flags, 0x1000409c1u);
    EXPECT_EQ(db->getModelDefinition(10019, 0).findProperty("dataSet")->flags, 0x40540u);
    // Indices are positions, inherited properties included.
    for (int id = 10004; id <= 10090; ++id) {
        const ModelDefinition& d = db->getModelDefinition(id, 0);
        for (size_t i = 0; i < d.properties.size(); ++i) EXPECT_EQ(d.properties[i].index, static_cast<int>(i));
    }
    EXPECT_EQ(SuperModelDatabase::instance()->getTypeIdForElementName("span"), 10085);
    EXPECT_EQ(SuperModelDatabase::instance()->getTypeIdForElementName("LayoutProxy"), 10048);
}

TEST(ModelDatabase, ParserFactoryTableAndRootNames) {
    auto* db = BaseUIModelDatabase::instance();
    EXPECT_EQ(db->getParserCreateFunction(6)()->getVersion(), 6);
    EXPECT_EQ(db->getParserCreateFunction(71)()->getVersion(), 0);
    EXPECT_EQ(db->getParserCreateFunction(202116)()->getVersion(), 202116);
    EXPECT_EQ(db->getParserCreateFunction(202114)()->getVersion(), 0);
    EXPECT_EQ(db->getParserCreateFunction(840)()->getVersion(), 840);
    EXPECT_EQ(db->getParserCreateFunction(0), db->getParserCreateFunction(76));
    for (int v : {6, 7, 8, 74, 75, 81, 82, 83, 840, 850, 202001, 202003, 202005, 202007, 202011, 202013, 202014,
                  202015, 202111, 202112, 202113, 202116, 202121, 202214, 202301})
        EXPECT_EQ(db->getParserCreateFunction(v)()->getVersion(), v);
    auto parser = db->getParserCreateFunction(82)();
    EXPECT_TRUE(std::dynamic_pointer_cast<OrvaneUIModelContext>(parser->createParserContext()));
    EXPECT_EQ(db->getModelIdForRootElementName("div"), 10028);
    EXPECT_EQ(db->getModelIdForRootElementName("DIV"), 0);
    EXPECT_EQ(db->getModelIdForRootElementName("span"), 0);
    EXPECT_EQ(db->getModelIdForRootElementName(""), 0);
    EXPECT_TRUE(OneBaseUIParser::isParserForElementName("div", {}));
}

TEST(ModelDatabase, EnumerationPropertiesReadAndWrite) {
    auto* db = BaseUIModelDatabase::instance();
    auto grid = DataGrid::create();
    AbstractProperty& pos = grid->totalsPosition;
    EXPECT_EQ(db->setEnumProperty(pos, "bottom", TotalsPosition::VALUE_TYPE, 0), 1);
    EXPECT_EQ(grid->totalsPosition.get(), TotalsPosition::BOTTOM);
    EXPECT_EQ(db->setEnumProperty(pos, "TOP", TotalsPosition::VALUE_TYPE, 0), 2);
    EXPECT_EQ(grid->totalsPosition.get(), TotalsPosition::TOP);
    EXPECT_EQ(db->setEnumProperty(pos, "TOP", -11, 0), 0);
    EXPECT_EQ(db->setEnumProperty(pos, "TOP", -2019, 0), 0);

    auto lc = LayoutConstraint::create();
    for (const char* t : {"honor", "HONOR", "HONORSIZE"}) {
        lc->widthPreferredSizeBehavior.set(PreferredSizeBehaviorType::IGNORE);
        EXPECT_EQ(db->setEnumProperty(lc->widthPreferredSizeBehavior, t, -2014, 0), 2) << t;
        EXPECT_EQ(lc->widthPreferredSizeBehavior.get(), PreferredSizeBehaviorType::HONOR) << t;
    }
    std::ostringstream os;
    EXPECT_TRUE(db->serializeEnumProperty(lc->widthPreferredSizeBehavior, os, -2014, 0, 0));
    EXPECT_EQ(os.str(), "honor");
    EXPECT_EQ(*PreferredSizeBehaviorType::getStringFromValue(PreferredSizeBehaviorType::IGNORE), "IGNORESIZE");

    auto info = DataGridColumnInfo::create();
    info->cellVisual.set(CellVisualType::HEATMAP);
    std::ostringstream os2;
    EXPECT_TRUE(db->serializeEnumProperty(info->cellVisual, os2, -2004, 0, 0));
    EXPECT_EQ(os2.str(), "heatmap");
    EXPECT_EQ(db->setEnumProperty(info->sortDirection, "DESCENDING", -1074, 0), 2);
    EXPECT_EQ(info->sortDirection.get(), SortDirection::DESCENDING);
    std::ostringstream os3;
    EXPECT_FALSE(db->serializeEnumProperty(info->cellVisualFillColor, os3, -7, 0, 0));
    EXPECT_TRUE(os3.str().empty());

    EXPECT_EQ(CellVisualType::getValueFromString("NOPE", CellVisualType::BAR), CellVisualType::BAR);
    EXPECT_FALSE(CellVisualType::getStringFromValue(static_cast<CellVisualType::type>(9)));
    EXPECT_TRUE(EnumPairLookup::isSorted(CellVisualType::string_to_enum()));
    EXPECT_TRUE(EnumPairLookup::isSorted(PreferredSizeBehaviorType::string_to_enum()));
}

TEST(ModelDatabase, SetModelPropertyChecksTypes) {
    auto* db = BaseUIModelDatabase::instance();
    auto div = Div::create();
    auto span = db->createModel(10085);
    EXPECT_TRUE(db->setModelProperty(div->spans, span, 10085, true));
    EXPECT_EQ(div->spans.get()->size(), 1u);
    // Appending a model type that is not a list element is refused.
    EXPECT_FALSE(db->setModelProperty(div->spans, db->createModel(10046), 10046, true));
    // A model of the wrong type is not reported as stored.
    auto grid = DataGrid::create();
    auto info = DataGridColumnInfo::create();
    EXPECT_FALSE(db->setModelProperty(info->compactFormatOptions, div, 10028, false));
    EXPECT_TRUE(db->setModelProperty(info->compactFormatOptions, db->createModel(10011), 10011, false));
    EXPECT_FALSE(db->setModelProperty(info->compactFormatOptions, grid, 42, false));

    // Every single child-model property of every model takes exactly the
    // models of its type and of types derived from it, and gives back the
    // same object.
    const std::vector<int> ids = db->getModelTypeIds();
    int stored = 0;
    for (int ownerId : ids) {
        auto owner = db->createModel(ownerId);
        if (!owner) continue;
        for (AbstractProperty* p : owner->getProperties()) {
            const PropertyDefinition& pd = p->getDefinition();
            if (pd.isVector() || pd.isWeak() || !db->isModelType(pd.valueType)) continue;
            for (int childId : ids) {
                auto child = db->createModel(childId);
                if (!child) continue;
                const bool fits = BaseUIModelDatabase::modelDefinition(childId).isKindOf(pd.valueType);
                EXPECT_EQ(db->setModelProperty(*p, child, childId, false), fits) << pd.name << " <- " << childId;
                if (!fits) continue;
                ++stored;
                auto back = p->getObjectGenerically();
                EXPECT_EQ(std::dynamic_pointer_cast<BaseModel>(back), child) << pd.name << " <- " << childId;
            }
        }
    }
    EXPECT_EQ(stored, 11);  // a constraint, six strategies, format options, selection options, two visible cells
}

TEST(ModelContext, RecordsSuspiciousFormatNamePairsInOrder) {
    OrvaneUIModelContext ctx;
    ctx._disambiguateSuspiciousFormatNames(nullptr, Div::create());
    EXPECT_FALSE(ctx.getSuspiciousModelFormatPairs());
    auto names = std::make_shared<std::vector<std::string>>(std::vector<std::string>{"X"});
    auto m1 = Div::create();
    auto m2 = Div::create();
    ctx._disambiguateSuspiciousFormatNames(names, m1);
    ctx._disambiguateSuspiciousFormatNames(names, m2);
    ctx._disambiguateSuspiciousFormatNames(names, m1);
    ASSERT_TRUE(ctx.getSuspiciousModelFormatPairs());
    ASSERT_EQ(ctx.getSuspiciousModelFormatPairs()->size(), 3u);
    EXPECT_EQ((*ctx.getSuspiciousModelFormatPairs())[1].first, m2);
    EXPECT_EQ(*OrvaneUIModelContext::getContextName(), "OrvaneUIModelContext");
}
