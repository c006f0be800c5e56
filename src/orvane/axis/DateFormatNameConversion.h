// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <map>
#include <memory>
#include <string>

namespace orvane {

/// Translates between base ("English") date and time format names and their two
/// localized families: the locale-sensitive names beginning with "NL" and the
/// European names beginning with "EUR".
class ORVANE_EXPORT DateFormatNameConversion {
public:
    using NameMap = std::map<std::string, std::string>;

    /// A conversion for the name extracted from a format string ("nldatew20."
    /// stores "NLDATEW"). A null string stores the empty name.
    static std::shared_ptr<DateFormatNameConversion> create(const std::shared_ptr<const std::string>& formatString);

    /// The name part of a format string: the whole string when it is empty or
    /// all letters, else the letters before the first other character (empty
    /// when it starts with one); upper-cased.
    static std::shared_ptr<std::string> createExtractedFormatName(const std::shared_ptr<const std::string>& formatString);

    const std::shared_ptr<const std::string>& getFormatName() const { return formatName_; }

    /// The base name of the stored name; the stored name itself when it has no
    /// localized prefix or its table does not hold it.
    std::shared_ptr<const std::string> getEnglishFormatName() const;

    /// A base name expressed in the family of the stored name: the bare table
    /// value when the family's table holds the base name's extracted key, else
    /// the given name unchanged. A null argument gives the empty name.
    std::shared_ptr<const std::string> getI18NFormatNameFromEnglishFormatName(
        const std::shared_ptr<const std::string>& englishName) const;

    static const NameMap& getKetraToNLDateMap();
    static const NameMap& getNLDateToKetraMap();
    static const NameMap& getKetraToEURDateMap();
    static const NameMap& getEURDateToKetraMap();

private:
    std::shared_ptr<const std::string> formatName_;
};

} // namespace orvane
