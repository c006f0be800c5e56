// SPDX-License-Identifier: Apache-2.0
#pragma once
// The command-line conventions every `orvane` sub-command shares:
//   --name value, --name=value, -o value; "--" ends the options; a lone "-"
//   (standard input or output) and negative numbers are arguments, not options.
// A command declares its options once (they also make its --help text), parses
// its arguments, and turns a parse failure into a usage error (exit status 2).
#include <map>
#include <utility>
#include <string>
#include <vector>

namespace orvane::tool {

// One option: its names ("-o, --output"), whether it takes a value (and the
// value's name in help, e.g. "FILE"), whether it may be repeated, and a line
// of help.
struct OptionSpec {
    std::string names;
    std::string valueName;  // empty: a flag without value
    std::string help;
    bool repeatable = false;
};

class ArgParser {
public:
    ArgParser(std::string command, std::vector<OptionSpec> options);

    // False, with error() saying why, for an unknown option, a missing value,
    // a value given to a flag, or an option given twice that may not be.
    bool parse(const std::vector<std::string>& args);
    const std::string& error() const { return error_; }

    // By the option's long name without dashes ("output" for "-o, --output").
    bool has(const std::string& name) const;
    std::string get(const std::string& name, const std::string& fallback = std::string()) const;
    const std::vector<std::string>& all(const std::string& name) const;
    // A whole number in [min, max] given to the option; `out` is left as it
    // is when the option is absent. False when the value is no such number.
    bool getCount(const std::string& name, long min, long max, long& out) const;
    const std::vector<std::string>& positional() const { return positional_; }
    // Every option in the order given: (long name without dashes, value).
    const std::vector<std::pair<std::string, std::string>>& sequence() const { return sequence_; }

    // The option lines of a help text, one per option, aligned.
    static std::string describe(const std::vector<OptionSpec>& options);

private:
    const OptionSpec* find(const std::string& written) const;
    static std::string key(const OptionSpec& spec);

    std::string command_;
    std::vector<OptionSpec> options_;
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> sequence_;
    std::string error_;
};

} // namespace orvane::tool
