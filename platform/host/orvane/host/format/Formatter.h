// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

/// Formats values by a format name of the form NAMEw.d ("COMMA12.2", "DATE9.",
/// "MONYY7.", "BEST12."). Dates are day numbers and date-times second numbers
/// counted from 1 January 1960. A formatter answers its bare upper-case name
/// ("MONYY", never "MONYY7."), its width and decimals, and whether it formats
/// date, date-time or time values.
///
/// Grammar of format names:
///   name     := letters [width] ["." [decimals]] ["x" scale]
/// Letters may include "$" and "_"; the name is case-insensitive and answered in
/// upper case. A name without letters ("8.2") is the plain w.d format "F".
/// Compact formats are the numeric names prefixed with "CMP" ("CMPCOMMA12.1"):
/// without a scale they abbreviate by thousands, millions, billions and
/// trillions ("1.2K", "3.4M", "5.6B"); with "x" and a divisor ("CMPCOMMA12.1x1000")
/// they divide by it and append K, M, B or T when the divisor is 10^3, 10^6,
/// 10^9 or 10^12.
///
/// "NL" and "EUR" date, time and number names format through their base names
/// (NLDATEMD as DATE, EURDFDT as DATETIME, NLNUM as COMMA ...).
///
/// Output conventions:
/// - The text is not padded: the width is the room the text must fit in.
/// - Rounding is half away from zero, on the decimal value (1.005 with two
///   decimals is 1.01).
/// - Missing values (NaN) are "."; infinities are "Inf" and "-Inf" in number
///   formats and "." in date and time formats.
/// - A number that does not fit its width loses decimals first, then its digit
///   grouping and currency sign, then turns to E notation; when even that does
///   not fit, the text is the width in "*".
/// - Dates whose year has more than four digits keep every digit.
class ORVANE_HOST_EXPORT Formatter {
public:
    enum class Kind { Numeric, Date, DateTime, Time };
    /// The output style behind a name (several names share one).
    enum class Family : uint8_t {
        Best, Fixed, Comma, CommaX, Dollar, DollarX, Percent, PercentN, NegParen, ZeroPad, Scientific, Compact,
        Character,
        Date, DateTime, DateAmPm, DtDate, DtMonYY, DtYear, DtYYQC, DtWkDatX,
        Time, TimeAmPm, HHMM, Hour, MMSS, Tod,
        MonYY, MMYY, MonName, Month, Year, YYQ, YYQC, YYQR, Qtr, QtrR, YYMon, YYMM,
        WeekDate, WeekDatX, WeekDay, DowName, WordDate, WordDatX, DDMMYY, MMDDYY, YYMMDD, Julian, Day
    };

    virtual ~Formatter() = default;

    /// The formatter for a format name (shared and cached by FormatterFactory);
    /// an unknown name falls back to BEST12 with a log line. Never null.
    static std::shared_ptr<Formatter> create(std::string_view formatName);

    const std::string& getName() const { return name_; }
    int getWidth() const { return width_; }
    int getDecimals() const { return decimals_; }
    /// The full name as written: NAME + width + "." + decimals (+ "x" scale).
    std::string getFullName() const;
    /// The name whose output this formatter produces ("WEEKDATX" for "NLDATE").
    const std::string& getBaseName() const { return baseName_; }

    bool formatsDateValues() const { return kind_ == Kind::Date; }
    bool formatsDateTimeValues() const { return kind_ == Kind::DateTime; }
    bool formatsTimeValues() const { return kind_ == Kind::Time; }
    bool isTemporal() const { return kind_ != Kind::Numeric; }
    Kind getKind() const { return kind_; }
    /// Character formats ($w., $CHARw.) format strings only.
    bool isCharacterFormat() const { return family_ == Family::Character; }
    bool isCompact() const { return family_ == Family::Compact; }
    /// Divisor of a compact format; 0 = automatic (business) scaling.
    double getScale() const { return scale_; }

    /// The formatted text of a value.
    virtual std::string format(double value) const;
    /// Writes the formatted text into buf (no terminating zero) and answers its
    /// length. buf must hold at least MAX_TEXT bytes. Never allocates.
    size_t formatTo(double value, char* buf) const;
    static constexpr size_t MAX_TEXT = 160;

    /// The text of a character value: truncated to the width by character
    /// formats, unchanged otherwise.
    std::string formatString(std::string_view text) const;

    /// Reads a value back from text written in this format or a common form
    /// of it (dates as "2024-03-01", "01MAR2024", "03/01/2024"; date-times as
    /// "2024-03-01T10:30:00", "01MAR2024:10:30:00"; times as "10:30", "10:30:15 PM";
    /// numbers with "$", "%", digit grouping, parentheses for negatives).
    /// False when the text is not a value of this kind; empty text and "."
    /// read as missing (NaN) and answer true.
    bool parse(std::string_view text, double& out) const;

    /// Splits "NAMEw.d" into its parts; false when the text is not a format name.
    static bool parseFormatName(std::string_view text, std::string& name, int& width, int& decimals,
                                bool& hasWidth, bool& hasDecimals);
    /// Kind of a bare format name (NL and EUR names included).
    static Kind kindOfName(std::string_view bareName);
    /// True when the bare name is a format this formatter writes.
    static bool isKnownName(std::string_view bareName);

protected:
    Formatter(std::string name, int width, int decimals, Kind kind);

private:
    friend class FormatterFactory;


    /// Builds the formatter of a parsed name; null when the name is unknown.
    static std::shared_ptr<Formatter> build(std::string_view text);

    size_t formatNumber(double value, char* buf) const;
    size_t formatCompact(double value, char* buf) const;
    size_t formatTemporal(double value, char* buf) const;
    size_t fitNumber(double value, int width, char* buf) const;
    bool parseTemporal(std::string_view text, double& out) const;

    std::string name_;
    std::string baseName_;
    int width_;
    int decimals_;
    Kind kind_;
    Family family_ = Family::Best;
    Family numericBase_ = Family::Best;  ///< decoration of compact formats
    char separator_ = 0;                 ///< DDMMYY/MMDDYY/YYMMDD separator
    double scale_ = 0.0;
};

} // namespace orvane
