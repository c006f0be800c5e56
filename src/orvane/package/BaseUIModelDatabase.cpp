// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/BaseUIModelDatabase.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/host/data/SortDirection.h"
#include "orvane/package/CellVisualPosition.h"
#include "orvane/package/CellVisualType.h"
#include "orvane/package/ColumnContentType.h"
#include "orvane/package/CompactFormatPrecision.h"
#include "orvane/package/CompactFormatScale.h"
#include "orvane/package/Div.h"
#include "orvane/package/FlexibilityType.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/package/OneBaseUIParser.h"
#include "orvane/package/PreferredSizeBehaviorType.h"
#include "orvane/package/ResponsiveLayoutOverflowType.h"
#include "orvane/package/Span.h"
#include "orvane/package/TableSelectionType.h"
#include "orvane/package/TotalsPosition.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/crosstab/OrvaneCrosstabState.h"
#include "orvane/crosstab/VisibleCells.h"
#include "orvane/datagrid/CellGraph.h"
#include "orvane/datagrid/CompactFormatOptions.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridDisplayOptions.h"
#include "orvane/datagrid/OrvaneTableState.h"
#ifndef ORVANE_WITHOUT_GEO
#include "orvane/geo/GeoEnrichmentCountry.h"
#include "orvane/geo/GeocodeInfo.h"
#endif
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/layout/RelativeLayoutStrategy.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/layout/SlideLayoutStrategy.h"
#include "orvane/layout/StackLayoutStrategy.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/layout/TiledReflowLayoutStrategy.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/PromptButtonBarModel.h"
#include "orvane/prompts/PromptListModel.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/SingleRangeSliderModel.h"
#include "orvane/prompts/TextFieldModel.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionControl.h"
#include "orvane/selection/SelectionControlItem.h"
#include "orvane/selection/SelectionControlTerm.h"
#include "orvane/selection/SelectionOptions.h"
#include "orvane/view/RichTextNode.h"

#include <ostream>

namespace orvane {

BaseUIModelDatabase::BaseUIModelDatabase() : ModelDatabase(PACKAGE_ID) {
    ModelDatabase::registerModelDatabase(this);
    // Documents write a column-information manager as its column records.
    PropertyTextCodec::registerObjectAssembler(
        GridColumnInfoManager::WRAPPER_TYPE_ID,
        [](const std::vector<std::shared_ptr<BaseModel>>& models, std::string& error) -> std::shared_ptr<Wrappable> {
            auto manager = GridColumnInfoManager::create();
            for (const auto& m : models) {
                auto info = std::dynamic_pointer_cast<DataGridColumnInfo>(m);
                if (!info) {
                    error = "a column-information manager holds DataGridColumnInfo records only";
                    return nullptr;
                }
                manager->setColumnInfo(info->columnIndex.get(), info);
            }
            return manager;
        },
        [](const Wrappable& object, std::vector<std::shared_ptr<BaseModel>>& out) {
            auto* manager = dynamic_cast<const GridColumnInfoManager*>(&object);
            if (!manager) return false;
            for (auto& info : const_cast<GridColumnInfoManager*>(manager)->getColumnInfos()) out.push_back(info);
            return true;
        });
}

BaseUIModelDatabase* BaseUIModelDatabase::instance() {
    // Created on first use and kept until process exit.
    static BaseUIModelDatabase* db = new BaseUIModelDatabase();
    return db;
}

const ModelDefinition& BaseUIModelDatabase::getModelDefinition(int typeId, int) const { return modelDefinition(typeId); }

std::vector<int> BaseUIModelDatabase::getModelTypeIds() const {
    std::vector<int> ids;
    for (int id = FIRST_TYPE_ID; id <= LAST_TYPE_ID; ++id)
        if (!modelDefinition(id).isEmpty()) ids.push_back(id);
    return ids;
}

std::shared_ptr<BaseModel> BaseUIModelDatabase::createModel(int typeId) const {
    if (typeId < 10006 || typeId > 10090) return nullptr;
    switch (typeId) {
    case 10006: return CellGraph::create();
    case 10007: return ComboBoxModel::create();
    case 10008: return OrvaneCrosstabState::create();
    case 10009: return OrvaneTableState::create();
    case 10011: return CompactFormatOptions::create();
    case 10012: return Crosstab::create();
    case 10015: return CrosstabLevelInfo::create();
    case 10019: return DataGrid::create();
    case 10022: return DataGridColumnInfo::create();
    case 10028: return Div::create();
#ifndef ORVANE_WITHOUT_GEO
    case 10036: return GeoEnrichmentCountry::create();
    case 10040: return GeocodeInfo::create();
#endif
    case 10043: return GridDisplayOptions::create();
    case 10046: return LayoutConstraint::create();
    case 10047: return LayoutContext::create();
    case 10048: return LayoutProxy::create();
    case 10058: return PromptButtonBarModel::create();
    case 10059: return PromptListModel::create();
    case 10063: return RangeSliderModel::create();
    case 10065: return RelativeLayoutStrategy::create();
    case 10066: return ResponsiveLayoutStrategy::create();
    case 10067: return RichTextNode::create();
    case 10069: return Selection::create();
    case 10071: return SelectionControl::create();
    case 10073: return SelectionControlItem::create();
    case 10074: return SelectionControlTerm::create();
    case 10076: return SelectionOptions::create();
    case 10078: return SingleRangeSliderModel::create();
    case 10079: return SlideLayoutStrategy::create();
    case 10085: return Span::create();
    case 10086: return StackLayoutStrategy::create();
    case 10087: return TextFieldModel::create();
    case 10088: return TiledLayoutStrategy::create();
    case 10089: return TiledReflowLayoutStrategy::create();
    case 10090: return VisibleCells::create();
    default: return nullptr;
    }
}

namespace {
template <int V>
std::shared_ptr<OneParser> parserFactory() {
    return OneBaseUIParser::create(V);
}
} // namespace

ModelDatabase::ParserCreateFunction BaseUIModelDatabase::getParserCreateFunction(int version) const {
    switch (version) {
    case 6: return &parserFactory<6>;
    case 7: return &parserFactory<7>;
    case 8: return &parserFactory<8>;
    case 74: return &parserFactory<74>;
    case 75: return &parserFactory<75>;
    case 81: return &parserFactory<81>;
    case 82: return &parserFactory<82>;
    case 83: return &parserFactory<83>;
    case 840: return &parserFactory<840>;
    case 850: return &parserFactory<850>;
    case 202001: return &parserFactory<202001>;
    case 202003: return &parserFactory<202003>;
    case 202005: return &parserFactory<202005>;
    case 202007: return &parserFactory<202007>;
    case 202011: return &parserFactory<202011>;
    case 202013: return &parserFactory<202013>;
    case 202014: return &parserFactory<202014>;
    case 202015: return &parserFactory<202015>;
    case 202111: return &parserFactory<202111>;
    case 202112: return &parserFactory<202112>;
    case 202113: return &parserFactory<202113>;
    case 202116: return &parserFactory<202116>;
    case 202121: return &parserFactory<202121>;
    case 202214: return &parserFactory<202214>;
    case 202301: return &parserFactory<202301>;
    default: return &parserFactory<0>;
    }
}

int BaseUIModelDatabase::getModelIdForRootElementName(std::string_view name) const {
    return name == "div" ? Div::WRAPPER_TYPE_ID : 0;
}

namespace {

// Reads and writes one enumeration through the property's erased int value.
template <class X>
int setEnum(AbstractProperty& property, std::string_view text) {
    const void* h = property.getObjectHandle();
    int current = h ? *static_cast<const int*>(h) : 0;
    if constexpr (requires { X::table(); }) {
        // The library's tables: one search answers both whether the name is
        // valid and its value.
        if (const EnumPair* pair = EnumPairLookup::find(X::table().byName(), text)) {
            int v = pair->value;
            property.setGenerically(&v);
            return 2;
        }
        property.setGenerically(&current);
        return 1;
    } else {
        if (!X::isValueValid(text)) {
            property.setGenerically(&current);
            return 1;
        }
        int v = static_cast<int>(X::getValueFromString(text, static_cast<typename X::type>(current)));
        property.setGenerically(&v);
        return 2;
    }
}

template <class X>
bool writeEnum(const AbstractProperty& property, std::ostream& out) {
    const void* h = property.getObjectHandle();
    if (!h) return false;
    out << X::getXmlRepresentation(static_cast<typename X::type>(*static_cast<const int*>(h)));
    return true;
}

// The erased value of the property is an enumeration's int only when the
// property is declared with that enumeration type; a string, bool or vector
// property keeps its value in other storage.
bool holdsEnumeration(const AbstractProperty& property, int valueType) {
    return property.getValueType() == valueType && !property.isVectorProperty();
}

// A property holding one owned child model of class X keeps a shared_ptr<X>,
// erased as shared_ptr<void> to the X. For a model known to be an X the
// erased value is made with a static cast, without the run-time down-cast
// from Wrappable that the generic object set needs.
using ChildModelEraser = std::shared_ptr<void> (*)(const std::shared_ptr<BaseModel>&);

template <class X>
std::shared_ptr<void> eraseAs(const std::shared_ptr<BaseModel>& model) {
    return std::static_pointer_cast<X>(model);
}

// The eraser for storing `model`, created for type id `typeId`, in
// `property`; null when the generic set must decide. The model is an X when
// its class answers the type id it was created for and that type is X or
// derives from it; X is the class of the property's value type.
ChildModelEraser childModelEraser(const AbstractProperty& property, const BaseModel& model, int typeId) {
    const PropertyDefinition& pd = property.getDefinition();
    if (pd.isVector() || pd.isWeak() || model.getWrapperTypeId() != typeId) return nullptr;
    ChildModelEraser erase = nullptr;
    switch (pd.valueType) {
    case CompactFormatOptions::WRAPPER_TYPE_ID: erase = &eraseAs<CompactFormatOptions>; break;
    case LayoutConstraint::WRAPPER_TYPE_ID: erase = &eraseAs<LayoutConstraint>; break;
    case LayoutStrategy::WRAPPER_TYPE_ID: erase = &eraseAs<LayoutStrategy>; break;
    case SelectionOptions::WRAPPER_TYPE_ID: erase = &eraseAs<SelectionOptions>; break;
    case VisibleCells::WRAPPER_TYPE_ID: erase = &eraseAs<VisibleCells>; break;
    default: return nullptr;
    }
    return BaseUIModelDatabase::modelDefinition(typeId).isKindOf(pd.valueType) ? erase : nullptr;
}

} // namespace

int BaseUIModelDatabase::setEnumProperty(AbstractProperty& property, std::string_view text, int valueType,
                                         int) const {
    if (valueType > -1001 || !holdsEnumeration(property, valueType)) return 0;
    switch (valueType) {
    case -2021: return setEnum<TotalsPosition>(property, text);
    case -2020: return setEnum<TableSelectionType>(property, text);
    case -2017: return setEnum<ResponsiveLayoutOverflowType>(property, text);
    case -2014: return setEnum<PreferredSizeBehaviorType>(property, text);
    case -2010: return setEnum<LayoutOrientation>(property, text);
    case -2009: return setEnum<FlexibilityType>(property, text);
    case -2007: return setEnum<CompactFormatScale>(property, text);
    case -2006: return setEnum<CompactFormatPrecision>(property, text);
    case -2005: return setEnum<ColumnContentType>(property, text);
    case -2004: return setEnum<CellVisualType>(property, text);
    case -2003: return setEnum<CellVisualPosition>(property, text);
    case -1074: return setEnum<SortDirection>(property, text);
    default: return 0;
    }
}

bool BaseUIModelDatabase::serializeEnumProperty(const AbstractProperty& property, std::ostream& out, int valueType,
                                                int, size_t) const {
    if (!holdsEnumeration(property, valueType)) return false;
    switch (valueType) {
    case -2021: return writeEnum<TotalsPosition>(property, out);
    case -2020: return writeEnum<TableSelectionType>(property, out);
    case -2017: return writeEnum<ResponsiveLayoutOverflowType>(property, out);
    case -2014: return writeEnum<PreferredSizeBehaviorType>(property, out);
    case -2010: return writeEnum<LayoutOrientation>(property, out);
    case -2009: return writeEnum<FlexibilityType>(property, out);
    case -2007: return writeEnum<CompactFormatScale>(property, out);
    case -2006: return writeEnum<CompactFormatPrecision>(property, out);
    case -2005: return writeEnum<ColumnContentType>(property, out);
    case -2004: return writeEnum<CellVisualType>(property, out);
    case -2003: return writeEnum<CellVisualPosition>(property, out);
    case -1074: {
        const void* h = property.getObjectHandle();
        if (!h) return false;
        out << SortDirection::getXmlRepresentation(static_cast<SortDirection::type>(*static_cast<const int*>(h)));
        return true;
    }
    default: return false;
    }
}

bool BaseUIModelDatabase::setStringConstructableProperty(AbstractProperty&, std::string_view, int) const {
    return false;
}

bool BaseUIModelDatabase::setModelProperty(AbstractProperty& property, const std::shared_ptr<BaseModel>& model,
                                           int typeId, bool append) const {
    if (!isModelType(typeId)) return false;
    if (append) {
        switch (typeId) {
        case 10004:
        case 10028:
        case 10048:
        case 10067:
        case 10069:
        case 10073:
        case 10074:
        case 10085: return property.addGenerically(model);
        default: return false;
        }
    }
    if (const auto erase = childModelEraser(property, *model, typeId)) {
        std::shared_ptr<void> erased = erase(model);
        property.setGenerically(&erased);
        return true;
    }
    // Stored with the property's generic set; a model of the wrong type is
    // refused rather than reported as stored.
    return property.setObjectGenerically(model);
}

} // namespace orvane
