// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractProperty;
class BaseModel;
class ModelDatabase;
class Wrappable;

/// Converts property values to and from document text, driven by the value-type
/// code of the property's definition record:
///   -1 bool ("true"/"false"), -2 double, -3 float, -4 int, -12 unsigned,
///   -7 colour ("#RRGGBB", "#AARRGGBB", "0x..." or decimal), -11 string,
///   codes <= -1001 enumerations (through the model database),
///   positive codes: host objects with a registered text form (Dimension "12px").
/// Vectors of numbers and booleans read from and write to space-separated lists.
class ORVANE_HOST_EXPORT PropertyTextCodec {
public:
    using ObjectFromText = std::function<std::shared_ptr<Wrappable>(std::string_view text, std::string& error)>;
    using ObjectToText = std::function<bool(const Wrappable& object, std::string& out)>;

    /// Registers the text form of a host object type (by wrapper type id).
    static void registerObjectCodec(int typeId, ObjectFromText from, ObjectToText to);
    static bool hasObjectCodec(int typeId);
    static std::shared_ptr<Wrappable> objectFromText(int typeId, std::string_view text, std::string& error);
    static bool objectToText(int typeId, const Wrappable& object, std::string& out);

    /// Host or library objects written as a list of child models (for example a
    /// column-information manager written as its column records).
    using ObjectFromModels = std::function<std::shared_ptr<Wrappable>(
        const std::vector<std::shared_ptr<BaseModel>>& models, std::string& error)>;
    using ObjectToModels = std::function<bool(const Wrappable& object, std::vector<std::shared_ptr<BaseModel>>& out)>;
    static void registerObjectAssembler(int typeId, ObjectFromModels from, ObjectToModels to);
    static bool hasObjectAssembler(int typeId);
    static std::shared_ptr<Wrappable> objectFromModels(int typeId, const std::vector<std::shared_ptr<BaseModel>>& models,
                                                       std::string& error);
    static bool objectToModels(int typeId, const Wrappable& object, std::vector<std::shared_ptr<BaseModel>>& out);

    /// True when the property's value is written as an attribute / text.
    static bool isTextual(const AbstractProperty& property);
    /// Sets the property from text. On failure returns false with a message
    /// (the property keeps its value).
    static bool setFromText(AbstractProperty& property, std::string_view text, const ModelDatabase* database,
                            std::string& error);
    /// Text of the property's current value; false when it has no text form.
    static bool toText(const AbstractProperty& property, const ModelDatabase* database, std::string& out);
    /// Text of one vector element (as given to visitElementsGenerically).
    static bool elementToText(int valueType, const void* element, std::string& out);
    static bool appendElementFromText(AbstractProperty& property, std::string_view text, std::string& error);

    /// Scalar conversions shared with other readers.
    static bool parseBool(std::string_view text, bool& out);
    static bool parseInt(std::string_view text, int& out);
    static bool parseUnsigned(std::string_view text, unsigned int& out);
    static bool parseFloat(std::string_view text, float& out);
    static bool parseDouble(std::string_view text, double& out);
    static bool parseColor(std::string_view text, unsigned int& out);
    static std::string formatFloat(float v);
    static std::string formatDouble(double v);
    static std::string formatColor(unsigned int c);
    static std::string typeName(int valueType);
};

} // namespace orvane
