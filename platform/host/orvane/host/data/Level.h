// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/DataValue.h"

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class Formatter;

/// One level of a hierarchy: the source column it reads (level name = column
/// name), its label and format, and the flags the crosstab builder sets
/// (ranked, omit the subtotal of the level). While the hierarchy is drilled
/// below this level, the level's current value is the member drilled into.
class ORVANE_HOST_EXPORT Level : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 89;

    Level(std::string name, std::string label, std::string formatName);
    /// label and format may be empty (the label is then the name).
    static std::shared_ptr<Level> create(const std::string& name, const std::string& label = std::string(),
                                         const std::string& formatName = std::string());
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::shared_ptr<const std::string>& getName() const { return name_; }
    const std::shared_ptr<const std::string>& getLabel() const { return label_; }
    const std::string& getFormatName() const { return formatName_; }
    /// The level's formatter; null without a format.
    std::shared_ptr<Formatter> getFormatter() const;

    bool isRanked() const { return ranked_; }
    void setRanked(bool ranked) { ranked_ = ranked; }
    /// On a ranked level, the number of members kept under each parent: the
    /// members with the largest rank score stay (in their usual order) and the
    /// rows of all the others go to one all-others member placed last. The
    /// score is the sum of the rank measure over the member's rows (missing
    /// and non-finite values left out), or the row count without a numeric
    /// rank measure. 0 (the default) keeps every member. Read when the tree is
    /// built.
    int getRankLimit() const { return rankLimit_; }
    void setRankLimit(int limit) { rankLimit_ = limit < 0 ? 0 : limit; }
    /// The measure column the members are ranked by ("" = the hierarchy's
    /// first measure).
    const std::string& getRankMeasureName() const { return rankMeasureName_; }
    void setRankMeasureName(std::string name) { rankMeasureName_ = std::move(name); }
    bool isOmitSubtotal() const { return omitSubtotal_; }
    void setOmitSubtotal(bool omit) { omitSubtotal_ = omit; }

    /// The member drilled into at this level (null while not drilled past it).
    const std::shared_ptr<DataValue>& getCurrentValue() const { return currentValue_; }
    void setCurrentValue(std::shared_ptr<DataValue> value) { currentValue_ = std::move(value); }

    /// A value of this level read from text: through the level's format when it
    /// has one, else a number when the text reads as one and a string otherwise.
    std::shared_ptr<DataValue> convertValue(std::string_view text) const;
    /// The value written in the level's format.
    std::string formatValue(const DataValue& value) const;

private:
    std::shared_ptr<const std::string> name_;
    std::shared_ptr<const std::string> label_;
    std::string formatName_;
    std::shared_ptr<DataValue> currentValue_;
    bool ranked_ = false;
    int rankLimit_ = 0;
    std::string rankMeasureName_;
    bool omitSubtotal_ = false;
};

} // namespace orvane
