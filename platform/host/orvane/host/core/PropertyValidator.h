#pragma once

namespace orvane {

// Polymorphic root of property validators; typed validators derive from it.
class PropertyValidator {
public:
    virtual ~PropertyValidator() = default;
};

} // namespace orvane
