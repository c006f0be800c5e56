#include "orvane/host/data/CSVReader.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/format/FormatterFactory.h"

#include <csv.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utf8.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
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
    // Feeding line by line knows the line of every problem; feeding large
    // blocks is faster and leaves lines to be found afterwards.
    bool trackLines = false;
    size_t field = 0;
    size_t rows = 0;
    size_t line = 1;
    size_t expectedRows = 0;  // from the number of line ends: room reserved up front
    std::string error;
    // Listed warnings whose line is found after the read: (index in
    // result.warnings, record number with the header as record 0).
    std::vector<std::pair<size_t, size_t>> warningRecords;

    Reader(std::string src, const CSVReader::Options& o, CSVReader::Result& r)
        : source(std::move(src)), options(o), result(r) {}

    void fail(const std::string& problem) {
        if (error.empty()) error = source + ":" + std::to_string(line) + ": " + problem;
    }
    void warn(size_t col, std::string_view text) {
        ++result.warningCount;
        if (result.warnings.size() >= CSVReader::MAX_LISTED_WARNINGS) return;
        std::string what = "\"" + std::string(text) + "\" is not a value of format " + columns[col].format->getFullName() +
                           " (column " + *columns[col].column->getName() + "), read as missing";
        if (trackLines) {
            result.warnings.push_back(source + ":" + std::to_string(line) + ": " + what);
        } else {
            warningRecords.emplace_back(result.warnings.size(), rows + 1);
            result.warnings.push_back(what);
        }
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
            st.column->reserve(expectedRows);
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

    static bool begin(csv_parser& p, char delimiter) {
        if (csv_init(&p, CSV_STRICT | CSV_STRICT_FINI) != 0) return false;
        csv_set_space_func(&p, noSpace);
        csv_set_delim(&p, static_cast<unsigned char>(delimiter));
        csv_set_blk_size(&p, 256);
        return true;
    }

    // One pass of libcsv over the text: in large blocks, or line by line when
    // the lines of problems are wanted.
    bool pass(std::string_view text) {
        csv_parser p;
        if (!begin(p, options.delimiter)) {
            error = source + ": out of memory";
            return false;
        }
        line = 1;
        field = 0;
        inHeader = true;
        size_t at = 0;
        bool ok = true;
        while (at < text.size() && error.empty()) {
            const char* nl = nullptr;
            size_t end;
            if (trackLines) {
                nl = static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
                end = nl ? static_cast<size_t>(nl - text.data()) + 1 : text.size();
            } else {
                end = std::min(text.size(), at + (size_t(1) << 20));
            }
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

// The line on which each record ends, for records 0..last (record 0 is the header).
struct LineCounter {
    size_t line = 1;
    size_t last;
    std::vector<size_t> lines;
    static void onField(void*, size_t, void*) {}
    static void onRecord(int, void* self) {
        auto* c = static_cast<LineCounter*>(self);
        c->lines.push_back(c->line);
    }
    static std::vector<size_t> count(std::string_view text, char delimiter, size_t last) {
        LineCounter c;
        c.last = last;
        csv_parser p;
        if (!Reader::begin(p, delimiter)) return {};
        size_t at = 0;
        while (at < text.size() && c.lines.size() <= last) {
            const char* nl = static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
            size_t end = nl ? static_cast<size_t>(nl - text.data()) + 1 : text.size();
            if (csv_parse(&p, text.data() + at, end - at, onField, onRecord, &c) != end - at) break;
            at = end;
            if (nl) ++c.line;
        }
        if (c.lines.size() <= last) csv_fini(&p, onField, onRecord, &c);
        csv_free(&p);
        return c.lines;
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
    for (const char* at = text.data(); !text.empty() && (at = static_cast<const char*>(
                                            std::memchr(at, '\n', static_cast<size_t>(text.data() + text.size() - at))));
         ++at)
        ++r.expectedRows;
    if (!r.pass(text)) {
        // Read again line by line to say on which line the problem is.
        Result scratch;
        Reader tracked(sourceName, options, scratch);
        tracked.trackLines = true;
        result.error = tracked.pass(text) ? r.error : tracked.error;
        return result;
    }
    if (!r.warningRecords.empty()) {
        std::vector<size_t> lines = LineCounter::count(text, options.delimiter, r.warningRecords.back().second);
        for (const auto& [index, record] : r.warningRecords) {
            std::string where = record < lines.size() ? ":" + std::to_string(lines[record]) : std::string();
            result.warnings[index] = sourceName + where + ": " + result.warnings[index];
        }
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

namespace {
// The bytes of a file, read into a buffer that is not zero-filled first. (A
// memory map would save the copy but ends in SIGBUS when another program
// shortens the file while it is read.)
class FileBytes {
public:
    explicit FileBytes(const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0) return;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            size_t want = static_cast<size_t>(st.st_size);
            data_ = std::make_unique_for_overwrite<char[]>(want + 1);
            ok_ = true;
            while (size_ < want) {
                ssize_t n = ::read(fd, data_.get() + size_, want - size_);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                size_ += static_cast<size_t>(n);
            }
        }
        ::close(fd);
    }
    bool ok() const { return ok_; }
    std::string_view text() const { return std::string_view(data_.get(), size_); }

private:
    bool ok_ = false;
    std::unique_ptr<char[]> data_;
    size_t size_ = 0;
};
} // namespace

CSVReader::Result CSVReader::readFile(const std::string& path, const Options& options) {
    Result result;
    FileBytes file(path);
    if (!file.ok()) {
        result.error = path + ": cannot open the file";
        return result;
    }
    std::string_view text = file.text();

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
