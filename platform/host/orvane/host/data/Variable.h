// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/format/Formatter.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// What is known about a data variable apart from its values: name, label,
/// type, format, data usage and aggregation. Every Column is a Variable.
class ORVANE_HOST_EXPORT Variable : public EventDispatcher, public virtual Wrappable {
public:
    /// Host type codes.
    static constexpr int NUMERIC = 0;
    static constexpr int CHARACTER = 1;
    /// Data usage codes.
    static constexpr int CATEGORY = 1;
    static constexpr int MEASURE = 2;

    Variable(std::string name, int type);

    const std::shared_ptr<const std::string>& getName() const { return name_; }
    /// The label, or the name when no label is set.
    std::shared_ptr<const std::string> getLabel() const { return label_ ? label_ : name_; }
    /// The label as set (null when none).
    const std::shared_ptr<const std::string>& getExplicitLabel() const { return label_; }
    void setLabel(const std::string& label);
    void setLabel(std::shared_ptr<const std::string> label) { label_ = std::move(label); }

    int getType() const { return type_; }
    bool isNumeric() const { return type_ == NUMERIC; }
    bool isCharacter() const { return type_ != NUMERIC; }

    /// The format name as set (null when none).
    const std::shared_ptr<const std::string>& getFormatName() const { return formatName_; }
    /// Sets the format; an empty name clears it. A name that is no known format
    /// is kept (it formats as BEST12 and is logged once).
    void setFormatName(std::string_view formatName);
    /// The formatter of the format name; null when no format is set.
    const std::shared_ptr<Formatter>& getFormatter() const { return formatter_; }
    /// The formatter used for the values: the format's, else BEST12.
    std::shared_ptr<Formatter> getEffectiveFormatter() const;

    /// True for numeric variables whose format writes dates, date-times or times.
    bool isDateTime() const { return isNumeric() && formatter_ && formatter_->isTemporal(); }
    bool isDate() const { return isNumeric() && formatter_ && formatter_->formatsDateValues(); }

    /// 1 category, 2 measure. Unless set: measure for numeric variables that
    /// are not dates, category otherwise.
    int getDataUsage() const;
    void setDataUsage(int usage) { dataUsage_ = usage; }
    /// Aggregation code (0 to 24).
    int getAggregation() const { return aggregation_; }
    void setAggregation(int code) { aggregation_ = code; }

protected:
    virtual void formatChanged() {}

private:
    std::shared_ptr<const std::string> name_;
    std::shared_ptr<const std::string> label_;
    std::shared_ptr<const std::string> formatName_;
    std::shared_ptr<Formatter> formatter_;
    int type_;
    int dataUsage_ = 0;
    int aggregation_ = 0;
};

} // namespace orvane
