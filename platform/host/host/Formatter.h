#pragma once
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

// Formats values by a format name of the form NAMEw.d ("COMMA12.2", "DATE9.",
// "MONYY7.", "BEST12."). Dates are day numbers and date-times second numbers
// counted from 1 January 1960. A formatter answers its bare upper-case name
// ("MONYY", never "MONYY7."), its width and decimals, and whether it formats
// date, date-time or time values.
class Formatter {
public:
    enum class Kind { Numeric, Date, DateTime, Time };

    virtual ~Formatter() = default;

    // The formatter for a format name; an unknown name falls back to BEST with
    // a log line. Never null.
    static std::shared_ptr<Formatter> create(std::string_view formatName);

    const std::string& getName() const { return name_; }
    int getWidth() const { return width_; }
    int getDecimals() const { return decimals_; }
    // The full name as written: NAME + width + "." + decimals.
    std::string getFullName() const;

    bool formatsDateValues() const { return kind_ == Kind::Date; }
    bool formatsDateTimeValues() const { return kind_ == Kind::DateTime; }
    bool formatsTimeValues() const { return kind_ == Kind::Time; }
    bool isTemporal() const { return kind_ != Kind::Numeric; }
    Kind getKind() const { return kind_; }

    // The formatted text of a value (missing values format as ".").
    virtual std::string format(double value) const;

    // Splits "NAMEw.d" into its parts; false when the text is not a format name.
    static bool parseFormatName(std::string_view text, std::string& name, int& width, int& decimals,
                                bool& hasWidth, bool& hasDecimals);
    // Kind of a bare format name (NL and EUR names included).
    static Kind kindOfName(std::string_view bareName);

protected:
    Formatter(std::string name, int width, int decimals, Kind kind)
        : name_(std::move(name)), width_(width), decimals_(decimals), kind_(kind) {}

private:
    std::string name_;
    int width_;
    int decimals_;
    Kind kind_;
};

} // namespace orvane
