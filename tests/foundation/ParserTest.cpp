// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/document/ModelSerializer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/datagrid/CompactFormatOptions.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/package/Span.h"
#include "orvane/properties/VectorChangeEvent.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

std::shared_ptr<BaseModel> read(const std::string& text, ParseError* error = nullptr) {
    auto d = OrvaneUIDeserializer::create();
    auto m = d->deserialize(text, false);
    if (error) *error = d->getLastError();
    return m;
}

std::string contentOf(const std::shared_ptr<Span>& s) { return s && s->content.get() ? *s->content.get() : "<null>"; }

} // namespace

TEST(Parser, BareTextInsideDivBecomesOneSpan) {
    auto div = std::dynamic_pointer_cast<Div>(read("<div>Hello world</div>"));
    ASSERT_TRUE(div);
    ASSERT_TRUE(div->spans.get());
    ASSERT_EQ(div->spans.get()->size(), 1u);
    EXPECT_EQ(contentOf((*div->spans.get())[0]), "Hello world");
    EXPECT_FALSE(div->divs.get());
}

TEST(Parser, MixedContentKeepsDocumentOrderAndParentLinks) {
    auto div = std::dynamic_pointer_cast<Div>(
        read("<div class=\"note\" style=\"color: red\">one <span class=\"b\">two <span>three</span> four</span> five</div>"));
    ASSERT_TRUE(div);
    EXPECT_EQ(*div->styleClass.get(), "note");
    EXPECT_EQ(*div->style.get(), "color: red");
    auto spans = div->spans.get();
    ASSERT_EQ(spans->size(), 3u);
    EXPECT_EQ(contentOf((*spans)[0]), "one ");
    EXPECT_EQ(contentOf((*spans)[2]), " five");
    auto mid = (*spans)[1];
    EXPECT_EQ(*mid->styleClass.get(), "b");
    EXPECT_EQ(contentOf(mid), "two ");
    ASSERT_EQ(mid->spans.get()->size(), 2u);
    auto inner = (*mid->spans.get())[0];
    EXPECT_EQ(contentOf(inner), "three");
    EXPECT_EQ(inner->parentSpan.get().lock(), mid);
    EXPECT_EQ(contentOf((*mid->spans.get())[1]), " four");
    // Spans directly in the div have no parent span.
    EXPECT_FALSE(mid->parentSpan.get().lock());
}

TEST(Parser, AttributesConvertByValueTypeAndPropertyElementsHoldModels) {
    auto root = std::dynamic_pointer_cast<LayoutProxy>(read(R"(<orvane version="82">
      <LayoutProxy grow="true" x="10px" w="50%">
        <defaultStrategy><ResponsiveLayoutStrategy orientation="vertical" overflow="STACK" minSize="2.5"/></defaultStrategy>
        <defaultConstraint><LayoutConstraint zIndex="-3" heightPreferredSizeBehavior="ignore" responsiveWeights="1 2,3"/></defaultConstraint>
        <children><LayoutProxy/><LayoutProxy isDisabled="1"/></children>
      </LayoutProxy></orvane>)"));
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->grow.get());
    EXPECT_EQ(root->w.get()->getUnit(), DimensionUnit::PERCENT);
    EXPECT_FLOAT_EQ(root->x.get()->getValue(), 10.0f);
    auto strategy = std::dynamic_pointer_cast<ResponsiveLayoutStrategy>(root->defaultStrategy.get());
    ASSERT_TRUE(strategy);
    EXPECT_EQ(strategy->orientation.get(), LayoutOrientation::VERTICAL);
    EXPECT_EQ(strategy->overflow.get(), ResponsiveLayoutOverflowType::STACK);
    auto c = root->defaultConstraint.get();
    EXPECT_EQ(c->zIndex.get(), -3);
    EXPECT_EQ(c->heightPreferredSizeBehavior.get(), PreferredSizeBehaviorType::IGNORE);
    EXPECT_EQ(c->responsiveWeights.get()->items(), (std::vector<float>{1, 2, 3}));
    ASSERT_EQ(root->children.get()->size(), 2u);
    EXPECT_TRUE((*root->children.get())[1]->isDisabled.get());
}

TEST(Parser, BadInputIsRejectedWithLineAndReason) {
    ParseError e;
    EXPECT_FALSE(read("<orvane version=\"1\">\n<LayoutProxy>\n  <children><LayoutPrixy/></children>\n</LayoutProxy></orvane>", &e));
    EXPECT_EQ(e.line, 3);
    EXPECT_NE(e.message.find("LayoutPrixy"), std::string::npos);

    EXPECT_FALSE(read("<div>text <span>unclosed</div>", &e));
    EXPECT_NE(e.message.find("malformed"), std::string::npos);

    EXPECT_FALSE(read("<orvane>\n<DataGrid totalsPosition=\"middle\"/></orvane>", &e));
    EXPECT_EQ(e.line, 2);
    EXPECT_EQ(e.message, "attribute \"totalsPosition\" of <DataGrid>: invalid value \"middle\" for totalsPosition");
    // Read from a file, the report names the file and the line.
    const std::string path = test::tempDir() + "/bad-enumeration.xml";
    ASSERT_TRUE(FileSystemManager::writeToFile("<orvane>\n\n<LayoutConstraint widthFlexibility=\"bendy\"/></orvane>", path));
    auto d = OrvaneUIDeserializer::create();
    EXPECT_FALSE(d->deserializeFile(path));
    EXPECT_EQ(d->getLastError().toString().rfind(path + ":3:", 0), 0u) << d->getLastError().toString();
    EXPECT_NE(d->getLastError().message.find("invalid value \"bendy\" for widthFlexibility"), std::string::npos);

    EXPECT_FALSE(read("<orvane><DataGrid fixedColumnCount=\"1.5\"/></orvane>", &e));
    EXPECT_NE(e.message.find("integer"), std::string::npos);
    EXPECT_FALSE(read("<orvane><DataGrid noSuchThing=\"1\"/></orvane>", &e));
    EXPECT_NE(e.message.find("noSuchThing"), std::string::npos);
    EXPECT_FALSE(read("<orvane><LayoutProxy><defaultConstraint><Div/></defaultConstraint></LayoutProxy></orvane>", &e));
    EXPECT_FALSE(read("<orvane><LayoutProxy>stray text</LayoutProxy></orvane>", &e));
    // Messages name the elements as written, long names included.
    EXPECT_FALSE(read("<orvane><LayoutProxy><defaultConstraint w=\"1\"/></LayoutProxy></orvane>", &e));
    EXPECT_NE(e.message.find("<defaultConstraint> takes no attributes"), std::string::npos) << e.message;
    EXPECT_FALSE(read("<orvane><LayoutProxy><defaultConstraint><LayoutConstraint>stray</LayoutConstraint>"
                      "</defaultConstraint></LayoutProxy></orvane>", &e));
    EXPECT_NE(e.message.find("inside <LayoutConstraint>"), std::string::npos) << e.message;
    EXPECT_FALSE(read("<orvane><LayoutProxy><defaultConstraint><LayoutConstraint zIndex=\"x\"/>"
                      "</defaultConstraint></LayoutProxy></orvane>", &e));
    EXPECT_NE(e.message.find("attribute \"zIndex\" of <LayoutConstraint>"), std::string::npos) << e.message;
    EXPECT_FALSE(read("", &e));
    EXPECT_FALSE(read("<orvane><PromptModel/></orvane>", &e));  // abstract model
    EXPECT_FALSE(read("<orvane><LayoutConstraint/><LayoutConstraint/></orvane>", &e));
    // Deep nesting is refused, not a stack overflow.
    std::string deep;
    for (int i = 0; i < 2000; ++i) deep += "<span>";
    EXPECT_FALSE(read("<div>" + deep + "</div>", &e));
    // Unsigned values do not accept negative numbers; validators still apply.
    EXPECT_FALSE(read("<orvane><CompactFormatOptions scale=\"-1\"/></orvane>", &e));
    auto cfo = std::dynamic_pointer_cast<CompactFormatOptions>(read("<orvane><CompactFormatOptions scale=\"0\"/></orvane>"));
    ASSERT_TRUE(cfo);
    EXPECT_FALSE(cfo->scale.hasValue());
}

TEST(Parser, ExampleDocumentsRoundTrip) {
    for (const char* name : {"richtext.xml", "layout.xml", "datagrid.xml"}) {
        auto d = OrvaneUIDeserializer::create();
        auto first = d->deserializeFile(test::sourceDir() + "/examples/" + name);
        ASSERT_TRUE(first) << name << ": " << d->getLastError().toString();
        ModelSerializer writer;
        std::string text = writer.serialize(first, d->getLastVersion());
        EXPECT_TRUE(writer.getWarnings().empty()) << name;
        auto second = OrvaneUIDeserializer::create()->deserialize(text, true);
        ASSERT_TRUE(second) << text;
        std::string diff;
        EXPECT_TRUE(ModelTreeComparison::equal(first, second, &diff)) << name << ": " << diff << "\n" << text;
        // And the written form is stable.
        EXPECT_EQ(ModelSerializer().serialize(second, d->getLastVersion()), text);
    }
    auto grid = std::dynamic_pointer_cast<DataGrid>(
        OrvaneUIDeserializer::create()->deserializeFile(test::sourceDir() + "/examples/datagrid.xml"));
    ASSERT_TRUE(grid);
    auto info = grid->getColumnInfo(2);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->cellVisualFillColor.get(), 0x3366ccu);
    EXPECT_EQ(info->compactFormatOptions.get()->scale.get(), 1000u);
}

TEST(Parser, SpecialCharactersAndWhitespaceSurviveARoundTrip) {
    auto span = Span::create();
    span->content.set(std::make_shared<const std::string>("  a < b & \"c\"\n\td  "));
    span->style.set(std::make_shared<const std::string>("x=\"1\"\n<y>"));
    auto div = Div::create();
    div->spans.set(MonitoredVector<std::shared_ptr<Span>>::create({span}));
    std::string text = ModelSerializer().serialize(div, 0);
    auto back = std::dynamic_pointer_cast<Div>(OrvaneUIDeserializer::create()->deserialize(text, true));
    ASSERT_TRUE(back) << text;
    std::string diff;
    EXPECT_TRUE(ModelTreeComparison::equal(div, back, &diff)) << diff << "\n" << text;
}

// The reader learns each model type's properties from the first model of
// that type: every later model must still get its own values, by name or
// alias, with its own parent link and text.
TEST(Parser, ManyModelsOfOneTypeEachGetTheirOwnValues) {
    std::string doc = "<div>";
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        doc += (i % 2 ? "<span class=\"c" : "<span styleClass=\"c") + n + "\">t" + n + "<span style=\"s" + n +
               "\">in" + n + "</span></span>";
    }
    doc += "</div>";
    ParseError error;
    auto div = std::dynamic_pointer_cast<Div>(read(doc, &error));
    ASSERT_TRUE(div) << error.message;
    auto spans = div->spans.get();
    ASSERT_EQ(spans->size(), 20u);
    for (size_t i = 0; i < spans->size(); ++i) {
        const std::string n = std::to_string(i);
        auto s = (*spans)[i];
        EXPECT_EQ(*s->styleClass.get(), "c" + n);
        EXPECT_EQ(contentOf(s), "t" + n);
        EXPECT_FALSE(s->parentSpan.get().lock());
        ASSERT_EQ(s->spans.get()->size(), 1u);
        auto inner = (*s->spans.get())[0];
        EXPECT_EQ(*inner->style.get(), "s" + n);
        EXPECT_EQ(contentOf(inner), "in" + n);
        EXPECT_EQ(inner->parentSpan.get().lock(), s);
    }
    // An unknown attribute is still refused on a later model of a known type.
    EXPECT_FALSE(read("<div><span class=\"a\"/><span nope=\"1\"/></div>", &error));
    EXPECT_NE(error.message.find("nope"), std::string::npos);
}

// Every Dimension property of every model reads each unit from text, and a
// length it cannot read leaves the value as it was.
TEST(Parser, DimensionAttributesReadEveryUnitIntoEveryDimensionProperty) {
    OrvaneUIPackage::instance();
    const struct {
        const char* text;
        float value;
        int unit;
    } lengths[] = {{"12", 12.0f, DimensionUnit::PIXELS},   {"12px", 12.0f, DimensionUnit::PIXELS},
                   {" +3.5px ", 3.5f, DimensionUnit::PIXELS}, {"9pt", 9.0f, DimensionUnit::POINTS},
                   {"50%", 50.0f, DimensionUnit::PERCENT},  {"1in", 1.0f, DimensionUnit::INCHES},
                   {"2cm", 2.0f, DimensionUnit::CENTIMETERS}, {"-10mm", -10.0f, DimensionUnit::MILLIMETERS}};
    auto* db = BaseUIModelDatabase::instance();
    int dimensionProperties = 0;
    for (int id : db->getModelTypeIds()) {
        auto model = db->createModel(id);
        if (!model) continue;
        for (AbstractProperty* p : model->getProperties()) {
            if (p->getValueType() != HostTypeId::DIMENSION || p->getDefinition().isVector()) continue;
            ++dimensionProperties;
            for (const auto& l : lengths) {
                std::string error;
                ASSERT_TRUE(PropertyTextCodec::setFromText(*p, l.text, db, error)) << p->getName() << ": " << error;
                auto d = std::dynamic_pointer_cast<Dimension>(p->getObjectGenerically());
                ASSERT_TRUE(d) << p->getName() << " of " << id;
                EXPECT_FLOAT_EQ(d->getValue(), l.value) << l.text;
                EXPECT_EQ(d->getUnit(), l.unit) << l.text;
            }
            auto before = p->getObjectGenerically();
            std::string error;
            EXPECT_FALSE(PropertyTextCodec::setFromText(*p, "12furlongs", db, error));
            EXPECT_NE(error.find("expected a length"), std::string::npos) << error;
            EXPECT_EQ(p->getObjectGenerically(), before);
        }
    }
    EXPECT_GE(dimensionProperties, 10);  // LayoutProxy's x, y, w, h and the constraint's six
}

// A list written as text replaces the whole list: a listener sees the clear
// and one append per element, a bad token changes nothing, and long lists
// keep every element in order.
TEST(Parser, ListTextReplacesTheListAsAClearAndAppends) {
    OrvaneUIPackage::instance();
    auto* db = BaseUIModelDatabase::instance();
    auto c = LayoutConstraint::create();
    std::string error;
    AbstractProperty& weights = c->responsiveWeights;
    ASSERT_TRUE(PropertyTextCodec::setFromText(weights, "5", db, error)) << error;
    ASSERT_EQ(c->responsiveWeights.get()->items(), (std::vector<float>{5}));

    std::vector<std::shared_ptr<VectorChangeEvent<float>>> events;
    c->responsiveWeights.get()->addEventListener(
        AbstractMonitoredVector::VECTOR_CHANGE_EVENT,
        FunctionEventCallback::create([&](auto& e) { events.push_back(std::dynamic_pointer_cast<VectorChangeEvent<float>>(e)); }));
    ASSERT_TRUE(PropertyTextCodec::setFromText(weights, "1, 2 3", db, error)) << error;
    EXPECT_EQ(c->responsiveWeights.get()->items(), (std::vector<float>{1, 2, 3}));
    ASSERT_EQ(events.size(), 4u);
    ASSERT_TRUE(events[0]);
    EXPECT_EQ(events[0]->getDeletions(), (std::vector<float>{5}));
    for (size_t i = 1; i < events.size(); ++i) EXPECT_EQ(events[i]->getAdditions(), (std::vector<float>{float(i)}));

    events.clear();
    EXPECT_FALSE(PropertyTextCodec::setFromText(weights, "1 x 3", db, error));
    EXPECT_EQ(error, "expected numbers");
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(c->responsiveWeights.get()->items(), (std::vector<float>{1, 2, 3}));

    // More elements than fit the reader's inline buffer, into a fresh model.
    auto fresh = LayoutConstraint::create();
    std::string text;
    std::vector<float> expected;
    for (int i = 0; i < 100; ++i) {
        text += std::to_string(i) + (i % 3 ? " " : ",");
        expected.push_back(static_cast<float>(i));
    }
    ASSERT_TRUE(PropertyTextCodec::setFromText(fresh->responsiveWeights, text, db, error)) << error;
    EXPECT_EQ(fresh->responsiveWeights.get()->items(), expected);
    ASSERT_TRUE(PropertyTextCodec::setFromText(fresh->responsiveWeights, "", db, error)) << error;
    ASSERT_TRUE(fresh->responsiveWeights.get());
    EXPECT_TRUE(fresh->responsiveWeights.get()->items().empty());
}
