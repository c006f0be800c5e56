// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/ModelDatabase.h"

#include <memory>

namespace orvane {

/// The library's model database (package id 2): definition records of every
/// model, model creation by wrapper type id, enumeration reading and writing,
/// child-model placement and the parser factory of each document version.
class ORVANE_EXPORT BaseUIModelDatabase : public ModelDatabase {
public:
    static constexpr int PACKAGE_ID = 2;
    static constexpr int FIRST_TYPE_ID = 10004;
    static constexpr int LAST_TYPE_ID = 10090;

    static BaseUIModelDatabase* instance();

    /// The definition record of a type id (the empty record when there is none).
    static const ModelDefinition& modelDefinition(int typeId) {
        if (typeId < FIRST_TYPE_ID || typeId > LAST_TYPE_ID) return ModelDatabase::emptyDefinition();
        return definitions_[typeId - FIRST_TYPE_ID];
    }
    /// The index-th property definition record of a model. A missing record is
    /// a programming error in a model class; it yields a shared empty record.
    /// Every model constructor asks for each of its properties' records, so
    /// this is inline over a table that is constant from load time.
    static const PropertyDefinition& propertyDefinition(int typeId, int /*version*/, int index) {
        const ModelDefinition& def = modelDefinition(typeId);
        if (index < 0 || static_cast<size_t>(index) >= def.properties.size()) return missingProperty_;
        return def.properties[static_cast<size_t>(index)];
    }

    const ModelDefinition& getModelDefinition(int typeId, int version) const override;
    std::shared_ptr<BaseModel> createModel(int typeId) const override;
    ParserCreateFunction getParserCreateFunction(int version) const override;
    int getModelIdForRootElementName(std::string_view name) const override;
    bool serializeEnumProperty(const AbstractProperty& property, std::ostream& out, int valueType, int flag,
                               size_t size) const override;
    int setEnumProperty(AbstractProperty& property, std::string_view text, int valueType, int flag) const override;
    bool setStringConstructableProperty(AbstractProperty& property, std::string_view text,
                                        int valueType) const override;
    bool setModelProperty(AbstractProperty& property, const std::shared_ptr<BaseModel>& model, int typeId,
                          bool append) const override;
    std::vector<int> getModelTypeIds() const override;

    BaseUIModelDatabase();

private:
    /// One record per type id from FIRST_TYPE_ID to LAST_TYPE_ID (empty records
    /// for ids without a model), constant-initialised.
    static const ModelDefinition definitions_[LAST_TYPE_ID - FIRST_TYPE_ID + 1];
    static const PropertyDefinition missingProperty_;
};

} // namespace orvane
