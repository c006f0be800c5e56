// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class BaseModel;

/// Writes a model tree as a model document (the syntax OneParser reads):
/// properties that have a value, attributes for values with a text form,
/// property elements for child models, lists and objects with a text form.
/// Weak references are not written (the reader restores parent back-links).
class ORVANE_HOST_EXPORT ModelSerializer {
public:
    ModelSerializer() = default;
    virtual ~ModelSerializer() = default;

    virtual std::string serialize(const std::shared_ptr<BaseModel>& root, int version = 0);
    /// Properties that could not be written by the last call, as
    /// "Class.property: reason".
    const std::vector<std::string>& getWarnings() const { return warnings_; }

private:
    void writeModel(std::string& out, const BaseModel& model, int indent, bool compact);
    std::vector<std::string> warnings_;
};

/// Structural equality of two model trees: same model types, the same
/// properties with values, equal values (child models compared recursively,
/// weak references skipped, host objects compared through their text form when
/// they have one, else by identity).
class ORVANE_HOST_EXPORT ModelTreeComparison {
public:
    static bool equal(const std::shared_ptr<BaseModel>& a, const std::shared_ptr<BaseModel>& b,
                      std::string* difference = nullptr);
};

} // namespace orvane
