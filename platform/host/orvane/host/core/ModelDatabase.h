// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/ModelDefinition.h"
#include "orvane/host/core/Wrappable.h"

#include <iosfwd>
#include <memory>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractProperty;
class BaseModel;
class OneParser;

/// A package's registry of serialisable models: their definition records, how
/// to create them, how their enumerations read and write, and which parser reads
/// each document format version.
class ORVANE_HOST_EXPORT ModelDatabase : public virtual Wrappable {
public:
    using ParserCreateFunction = std::shared_ptr<OneParser> (*)();

    explicit ModelDatabase(int packageId) : packageId_(packageId) {}
    ~ModelDatabase() override = default;

    /// Registers a database with the host for the process lifetime. Called from
    /// a database's constructor, so it takes a raw pointer.
    static void registerModelDatabase(ModelDatabase* database);

    int getPackageId() const { return packageId_; }
    bool isModelType(int typeId) const { return !getModelDefinition(typeId, 0).isEmpty(); }

    virtual const ModelDefinition& getModelDefinition(int typeId, int version) const = 0;
    virtual std::shared_ptr<BaseModel> createModel(int typeId) const = 0;
    virtual ParserCreateFunction getParserCreateFunction(int version) const = 0;
    virtual int getModelIdForRootElementName(std::string_view name) const = 0;
    virtual bool serializeEnumProperty(const AbstractProperty& property, std::ostream& out, int valueType, int flag,
                                       size_t size) const = 0;
    /// 0: not an enumeration of this database; 1: invalid text, value kept; 2: set.
    virtual int setEnumProperty(AbstractProperty& property, std::string_view text, int valueType, int flag) const = 0;
    virtual bool setStringConstructableProperty(AbstractProperty& property, std::string_view text,
                                                int valueType) const = 0;
    virtual bool setModelProperty(AbstractProperty& property, const std::shared_ptr<BaseModel>& model, int typeId,
                                  bool append) const = 0;

    /// Every type id this database defines, for indexing by element name.
    virtual std::vector<int> getModelTypeIds() const = 0;

    /// The empty default record (type id 0).
    static const ModelDefinition& emptyDefinition();

private:
    int packageId_;
};

} // namespace orvane
