#include "host/CSVReader.h"

#include "host/CLog.h"
#include "host/Column.h"
#include "host/DataSet.h"
#include "host/FormatterFactory.h"

#include <csv.h>
#include <utf8.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <unordered_set>

namespace orvane {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool isMissingToken(std::string_view s) {
    switch (s.size()) {
    case 0: return true;
    case 1: return s[0] == '.';
    case 2: return s == "NA";
    case 3: return s == "NaN" || s == "N/A" || s == "nan" || s == "n/a";
    case 4: return s == "null" || s == "NULL";
    default: return false;
    }
}

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// Keeps spaces inside unquoted fields (RFC 4180: they are part of the field).
int noSpace(unsigned char) { return 0; }

size_t lineOfOffset(std::string_view text, size_t offset) {
    return 1 + static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<long>(std::min(offset, text.size())), '\n'));
}

struct ColumnState {
    enum Mode { AUTO, FORMATTED, CHARACTER, DEMOTED };
    std::shared_ptr<Column> column;
    Mode mode = AUTO;
    std::shared_ptr<Formatter> format;
    std::vector<double>* numbers = nullptr;
};

struct Reader {
    std::string source;
    const CSVReader::Options& options;
    CSVReader::Result& result;

    std::vector<std::string> header;
    std::vector<ColumnState> columns;
    bool inHeader = true;
    bool secondPass = false;
    size_t field = 0;
    size_t rows = 0;
    size_t line = 1;
    std::string error;

    Reader(std::string src, const CSVReader::Options& o, CSVReader::Result& r)
        : source(std::move(src)), options(o), result(r) {}

    void fail(const std::string& problem) {
        if (error.empty()) error = source + ":" + std::to_string(line) + ": " + problem;
    }
    void warn(size_t col, std::string_view text) {
        ++result.warningCount;
        if (result.warnings.size() < CSVReader::MAX_LISTED_WARNINGS)
            result.warnings.push_back(source + ":" + std::to_string(line) + ": \"" + std::string(text) +
                                      "\" is not a value of format " + columns[col].format->getFullName() +
                                      " (column " + *columns[col].column->getName() + "), read as missing");
    }

    const CSVReader::ColumnSpec* specFor(const std::string& name) const {
        for (const auto& s : options.columns)
            if (s.name == name) return &s;
        return nullptr;
    }

    void setUpColumns() {
        std::unordered_set<std::string> seen;
        for (size_t i = 0; i < header.size(); ++i) {
            std::string& name = header[i];
            if (name.empty()) {
                name = "Column" + std::to_string(i + 1);
                ++result.warningCount;
                if (result.warnings.size() < CSVReader::MAX_LISTED_WARNINGS)
                    result.warnings.push_back(source + ":1: column " + std::to_string(i + 1) + " has no name, called " +
                                              name);
            }
            if (!seen.insert(name).second) return fail("duplicate column name \"" + name + "\"");
            ColumnState st;
            const CSVReader::ColumnSpec* spec = specFor(name);
            if (spec && !spec->format.empty()) {
                st.format = FormatterFactory::tryGetFormatter(spec->format);
                if (!st.format) return fail("unknown format \"" + spec->format + "\" for column \"" + name + "\"");
            }
            int type = spec ? spec->type : -1;
            if (type < 0 && st.format) type = st.format->isCharacterFormat() ? Variable::CHARACTER : Variable::NUMERIC;
            if (type < 0 && !options.inferTypes) type = Variable::CHARACTER;
            if (type == Variable::CHARACTER) st.mode = ColumnState::CHARACTER;
            else if (type == Variable::NUMERIC) {
                st.mode = ColumnState::FORMATTED;
                if (!st.format) st.format = FormatterFactory::getFormatter("BEST12.");
            }
            st.column = Column::create(name, st.mode == ColumnState::CHARACTER ? Variable::CHARACTER : Variable::NUMERIC);
            if (spec) {
                if (!spec->format.empty()) st.column->setFormatName(spec->format);
                if (!spec->label.empty()) st.column->setLabel(spec->label);
                if (spec->dataUsage) st.column->setDataUsage(spec->dataUsage);
            }
            st.numbers = &st.column->mutableNumbers();
            columns.push_back(std::move(st));
        }
        for (const auto& s : options.columns)
            if (!seen.count(s.name)) {
                ++result.warningCount;
                if (result.warnings.size() < CSVReader::MAX_LISTED_WARNINGS)
                    result.warnings.push_back(source + ": column \"" + s.name +
                                              "\" of the column metadata is not in the data");
            }
    }

    void value(const char* s, size_t len) {
        if (!error.empty()) return;
        if (inHeader) {
            header.emplace_back(s, len);
            return;
        }
        if (field >= columns.size()) {
            fail("row has more than " + std::to_string(columns.size()) + " fields");
            return;
        }
        ColumnState& c = columns[field++];
        std::string_view text(s, len);
        if (secondPass) {
            if (c.mode == ColumnState::DEMOTED) c.column->appendCode(c.column->internString(text));
            return;
        }
        switch (c.mode) {
        case ColumnState::CHARACTER: c.column->appendCode(c.column->internString(text)); break;
        case ColumnState::AUTO: {
            std::string_view t = trim(text);
            double v;
            if (isMissingToken(t)) {
                c.numbers->push_back(kNaN);
                break;
            }
            if (!t.empty() && t.front() == '+') t.remove_prefix(1);
            auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
            if (ec == std::errc() && p == t.data() + t.size()) {
                c.numbers->push_back(v);
            } else if (ec == std::errc::result_out_of_range && p == t.data() + t.size()) {
                // Too large or too small for a double: the nearest double.
                c.numbers->push_back(std::strtod(std::string(t).c_str(), nullptr));
            } else {
                c.mode = ColumnState::DEMOTED;  // not a number column: read as text in a second pass
                std::vector<double>().swap(*c.numbers);
            }
            break;
        }
        case ColumnState::FORMATTED: {
            double v;
            if (!c.format->parse(text, v)) {
                warn(field - 1, text);
                v = kNaN;
            }
            c.numbers->push_back(v);
            break;
        }
        case ColumnState::DEMOTED: break;
        }
    }

    void endRecord() {
        if (!error.empty()) return;
        if (inHeader) {
            inHeader = false;
            field = 0;
            if (!secondPass) setUpColumns();
            return;
        }
        if (field != columns.size()) {
            fail("row has " + std::to_string(field) + " field" + (field == 1 ? "" : "s") + ", expected " +
                 std::to_string(columns.size()));
            return;
        }
        field = 0;
        ++rows;
    }

    static void onField(void* s, size_t len, void* self) {
        static_cast<Reader*>(self)->value(static_cast<const char*>(s), len);
    }
    static void onRecord(int, void* self) { static_cast<Reader*>(self)->endRecord(); }

    // One pass of libcsv over the text, fed line by line so that problems
    // carry the line where they were found.
    bool pass(std::string_view text) {
        csv_parser p;
        if (csv_init(&p, CSV_STRICT | CSV_STRICT_FINI) != 0) {
            error = source + ": out of memory";
            return false;
        }
        csv_set_space_func(&p, noSpace);
        csv_set_delim(&p, static_cast<unsigned char>(options.delimiter));
        csv_set_blk_size(&p, 256);
        line = 1;
        field = 0;
        inHeader = true;
        size_t at = 0;
        bool ok = true;
        while (at < text.size() && error.empty()) {
            const char* nl = static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
            size_t end = nl ? static_cast<size_t>(nl - text.data()) + 1 : text.size();
            size_t len = end - at;
            if (csv_parse(&p, text.data() + at, len, onField, onRecord, this) != len) {
                fail(csv_error(&p) == CSV_EPARSE ? "bad quoting (a quote inside an unquoted field, or text after "
                                                   "a closing quote)"
                                                 : "out of memory");
                ok = false;
                break;
            }
            at = end;
            if (nl && error.empty()) ++line;
        }
        if (ok && error.empty() && csv_fini(&p, onField, onRecord, this) != 0) fail("unterminated quoted field");
        csv_free(&p);
        return error.empty();
    }
};

} // namespace

std::string CSVReader::metadataPathFor(const std::string& csvPath) {
    size_t slash = csvPath.find_last_of('/');
    size_t dot = csvPath.find_last_of('.');
    std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? csvPath.substr(0, dot)
                                                                                               : csvPath;
    return stem + ".columns.csv";
}

CSVReader::Result CSVReader::readString(std::string_view text, const Options& options, const std::string& sourceName) {
    Result result;
    // UTF-8 byte-order mark.
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF && static_cast<unsigned char>(text[1]) == 0xBB &&
        static_cast<unsigned char>(text[2]) == 0xBF)
        text.remove_prefix(3);
    // ASCII runs are skipped eight bytes at a time; only the rest goes
    // through the UTF-8 validator.
    auto bad = text.end();
    {
        size_t i = 0, n = text.size();
        while (i < n) {
            while (i + 8 <= n) {
                uint64_t w;
                std::memcpy(&w, text.data() + i, 8);
                if (w & 0x8080808080808080ull) break;
                i += 8;
            }
            while (i < n && static_cast<unsigned char>(text[i]) < 0x80) ++i;
            if (i >= n) break;
            // A run of non-ASCII text up to the next ASCII byte.
            size_t j = i;
            while (j < n && static_cast<unsigned char>(text[j]) >= 0x80) ++j;
            auto sub = utf8::find_invalid(text.begin() + static_cast<long>(i), text.begin() + static_cast<long>(j));
            if (sub != text.begin() + static_cast<long>(j)) {
                bad = sub;
                break;
            }
            i = j;
        }
    }
    if (bad != text.end()) {
        size_t off = static_cast<size_t>(bad - text.begin());
        result.error = sourceName + ":" + std::to_string(lineOfOffset(text, off)) + ": text is not UTF-8 (byte 0x" +
                       [&] {
                           char b[8];
                           std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(*bad));
                           return std::string(b);
                       }() +
                       ")";
        return result;
    }
    if (options.delimiter == '"' || options.delimiter == '\n' || options.delimiter == '\r') {
        result.error = sourceName + ": the delimiter cannot be a quote or a line break";
        return result;
    }

    Reader r(sourceName, options, result);
    if (!r.pass(text)) {
        result.error = r.error;
        return result;
    }
    if (r.inHeader && r.header.empty()) {
        result.error = sourceName + ":1: no header row";
        return result;
    }
    if (r.inHeader) r.endRecord();  // a header without a line end
    if (!r.error.empty()) {
        result.error = r.error;
        return result;
    }
    bool demoted = false;
    for (auto& c : r.columns)
        if (c.mode == ColumnState::DEMOTED) {
            auto fresh = Column::create(*c.column->getName(), Variable::CHARACTER);
            fresh->setLabel(c.column->getExplicitLabel());
            if (c.column->getFormatName()) fresh->setFormatName(*c.column->getFormatName());
            if (const ColumnSpec* spec = r.specFor(*c.column->getName()); spec && spec->dataUsage)
                fresh->setDataUsage(spec->dataUsage);
            fresh->reserve(r.rows);
            c.column = fresh;
            c.numbers = nullptr;
            demoted = true;
        }
    if (demoted) {
        r.secondPass = true;
        size_t rows = r.rows;
        if (!r.pass(text)) {
            result.error = r.error;
            return result;
        }
        r.rows = rows;
    }

    auto ds = DataSet::create();
    std::string name = options.dataSetName;
    if (name.empty()) {
        size_t slash = sourceName.find_last_of('/');
        name = slash == std::string::npos ? sourceName : sourceName.substr(slash + 1);
        size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > 0) name = name.substr(0, dot);
    }
    ds->setName(name);
    for (auto& c : r.columns) {
        c.column->resize(r.rows);
        ds->addColumn(c.column);
    }
    if (options.createRowStates) ds->ensureRowStates();
    result.dataSet = ds;
    return result;
}

CSVReader::Result CSVReader::readFile(const std::string& path, const Options& options) {
    Result result;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        result.error = path + ": cannot open the file";
        return result;
    }
    std::string text;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        long size = std::ftell(f);
        if (size > 0) text.resize(static_cast<size_t>(size));
        std::fseek(f, 0, SEEK_SET);
        size_t got = text.empty() ? 0 : std::fread(text.data(), 1, text.size(), f);
        text.resize(got);
    }
    std::fclose(f);

    Options opts = options;
    if (opts.columns.empty() && opts.readMetadataFile) {
        std::string meta = metadataPathFor(path);
        if (std::FILE* m = std::fopen(meta.c_str(), "rb")) {
            std::fclose(m);
            std::string error;
            if (!readColumnSpecs(meta, opts.columns, error)) {
                result.error = error;
                return result;
            }
            result.metadataFile = meta;
        }
    }
    Result r = readString(text, opts, path);
    r.metadataFile = result.metadataFile;
    return r;
}

CSVReader::Result CSVReader::readFile(const std::string& path) { return readFile(path, Options()); }

CSVReader::Result CSVReader::readString(std::string_view text) { return readString(text, Options()); }

bool CSVReader::readColumnSpecs(const std::string& path, std::vector<ColumnSpec>& out, std::string& error) {
    Options o;
    o.inferTypes = false;
    o.createRowStates = false;
    o.readMetadataFile = false;
    Result r = readFile(path, o);
    if (!r.ok()) {
        error = r.error;
        return false;
    }
    auto ds = r.dataSet;
    auto name = ds->getColumnWithName("name");
    if (!name) {
        error = path + ":1: the column metadata needs a \"name\" column";
        return false;
    }
    auto label = ds->getColumnWithName("label"), format = ds->getColumnWithName("format"),
         usage = ds->getColumnWithName("usage"), type = ds->getColumnWithName("type");
    auto text = [](const std::shared_ptr<Column>& c, size_t row) {
        return c ? std::string(*c->getStringAtIndex(row)) : std::string();
    };
    for (size_t row = 0; row < ds->getRowCount(); ++row) {
        ColumnSpec s;
        s.name = text(name, row);
        if (s.name.empty()) continue;
        s.label = text(label, row);
        s.format = text(format, row);
        std::string u = lower(text(usage, row)), t = lower(text(type, row));
        std::string where = path + ":" + std::to_string(row + 2) + ": ";
        if (u == "category" || u == "1") s.dataUsage = 1;
        else if (u == "measure" || u == "2") s.dataUsage = 2;
        else if (!u.empty()) return error = where + "usage must be category or measure, not \"" + u + "\"", false;
        if (t == "numeric" || t == "number" || t == "0") s.type = Variable::NUMERIC;
        else if (t == "character" || t == "string" || t == "1") s.type = Variable::CHARACTER;
        else if (!t.empty()) return error = where + "type must be numeric or character, not \"" + t + "\"", false;
        if (!s.format.empty() && !FormatterFactory::isValidFormatName(s.format))
            return error = where + "unknown format \"" + s.format + "\"", false;
        out.push_back(std::move(s));
    }
    return true;
}

} // namespace orvane
