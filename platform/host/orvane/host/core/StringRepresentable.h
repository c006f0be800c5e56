#pragma once
#include "orvane/host/core/Wrappable.h"

#include <string>

namespace orvane {

// Something that can describe itself as text.
class StringRepresentable : public virtual Wrappable {
public:
    ~StringRepresentable() override = default;
    virtual std::string toString() const = 0;
};

} // namespace orvane
