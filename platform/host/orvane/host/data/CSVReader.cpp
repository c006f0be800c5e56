// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CSVReader.h"

#include "orvane/host/data/CSVChunkParser.h"
#include "orvane/host/data/CSVScanner.h"

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
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
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
constexpr size_t kDefaultChunkBytes = size_t(2) << 20;

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
            double v;
            if (CSVChunkParser::readNumber(text, v)) {
                c.numbers->push_back(v);
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

namespace {

bool hasByteOrderMark(std::string_view text) {
    return text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
           static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF;
}

// The offset of the first byte that is not UTF-8, or npos. ASCII runs are
// skipped with vector loads; only the rest goes through the validator.
size_t firstInvalidUtf8(std::string_view text) {
    size_t i = 0, n = text.size();
    while (i < n) {
        i += CSVScanner::firstNonAscii(text.data() + i, n - i);
        if (i >= n) break;
        // A run of non-ASCII text up to the next ASCII byte.
        size_t j = i;
        while (j < n && static_cast<unsigned char>(text[j]) >= 0x80) ++j;
        auto sub = utf8::find_invalid(text.begin() + static_cast<long>(i), text.begin() + static_cast<long>(j));
        if (sub != text.begin() + static_cast<long>(j)) return static_cast<size_t>(sub - text.begin());
        i = j;
    }
    return std::string_view::npos;
}

// Replaces a numeric column that turned out to hold text by an empty
// character column with the same name, label, format and data usage.
void turnToText(ColumnState& c, const Reader& r, size_t rows) {
    auto fresh = Column::create(*c.column->getName(), Variable::CHARACTER);
    fresh->setLabel(c.column->getExplicitLabel());
    if (c.column->getFormatName()) fresh->setFormatName(*c.column->getFormatName());
    if (const CSVReader::ColumnSpec* spec = r.specFor(*c.column->getName()); spec && spec->dataUsage)
        fresh->setDataUsage(spec->dataUsage);
    fresh->reserve(rows);
    c.column = fresh;
    c.numbers = nullptr;
}

// The data set of the columns read.
void assemble(Reader& r, const CSVReader::Options& options, const std::string& sourceName, CSVReader::Result& result) {
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
}

// Reads the whole text with libcsv on one thread. It knows the line of every
// problem, so every refused text is read (again) this way.
CSVReader::Result readSequential(std::string_view text, const CSVReader::Options& options,
                                 const std::string& sourceName) {
    CSVReader::Result result;
    if (hasByteOrderMark(text)) text.remove_prefix(3);
    if (size_t off = firstInvalidUtf8(text); off != std::string_view::npos) {
        char b[8];
        std::snprintf(b, sizeof b, "%02X", static_cast<unsigned char>(text[off]));
        result.error = sourceName + ":" + std::to_string(lineOfOffset(text, off)) + ": text is not UTF-8 (byte 0x" + b +
                       ")";
        return result;
    }
    if (options.delimiter == '"' || options.delimiter == '\n' || options.delimiter == '\r') {
        result.error = sourceName + ": the delimiter cannot be a quote or a line break";
        return result;
    }

    Reader r(sourceName, options, result);
    r.expectedRows = CSVScanner::count(text.data(), text.size(), '\n');
    if (!r.pass(text)) {
        // Read again line by line to say on which line the problem is.
        CSVReader::Result scratch;
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
            turnToText(c, r, r.rows);
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
    assemble(r, options, sourceName, result);
    return result;
}

// A piece of the text that starts at a record boundary.
struct Chunk {
    size_t index = 0;
    std::unique_ptr<char[]> owned;
    std::string_view text;
    bool last = false;
};

// Hands out the text piece by piece, each ending at a record boundary.
class ChunkSource {
public:
    virtual ~ChunkSource() = default;
    // False at the end of the text, or when it cannot be read (failed()).
    virtual bool next(Chunk& out) = 0;
    virtual bool failed() const { return false; }
    // The size of the whole text, as far as known.
    virtual size_t size() const = 0;
};

class MemorySource : public ChunkSource {
public:
    MemorySource(std::string_view text, size_t chunkBytes) : text_(text), chunkBytes_(chunkBytes) {
        if (hasByteOrderMark(text_)) text_.remove_prefix(3);
    }
    bool next(Chunk& out) override {
        if (at_ >= text_.size() && !(at_ == 0 && !given_)) return false;
        given_ = true;
        size_t want = chunkBytes_;
        for (;;) {
            if (at_ + want >= text_.size()) {
                out.text = text_.substr(at_);
                out.last = true;
                at_ = text_.size();
                return true;
            }
            if (size_t b = CSVChunkParser::lastRecordBoundary(text_.data() + at_, want)) {
                out.text = text_.substr(at_, b);
                out.last = false;
                at_ += b;
                return true;
            }
            want *= 2;  // a record longer than a piece
        }
    }
    size_t size() const override { return text_.size(); }

private:
    std::string_view text_;
    size_t chunkBytes_;
    size_t at_ = 0;
    bool given_ = false;
};

// Reads a regular file piece by piece, so that only the pieces being read are
// in memory, never the whole file.
class FileSource : public ChunkSource {
public:
    FileSource(const std::string& path, size_t chunkBytes) : chunkBytes_(chunkBytes) {
        fd_ = ::open(path.c_str(), O_RDONLY);
        struct stat st;
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd_);
            fd_ = -1;
        }
        if (fd_ >= 0) size_ = static_cast<size_t>(st.st_size);
    }
    ~FileSource() override {
        if (fd_ >= 0) ::close(fd_);
    }
    bool ok() const { return fd_ >= 0; }
    bool failed() const override { return failed_; }
    size_t size() const override { return size_; }

    bool next(Chunk& out) override {
        if (fd_ < 0 || done_) return false;
        size_t want = chunkBytes_;
        size_t len = carry_.size();
        size_t cap = len + want;
        auto buf = std::make_unique_for_overwrite<char[]>(cap);
        if (len) std::memcpy(buf.get(), carry_.data(), len);
        std::string().swap(carry_);
        for (;;) {
            bool eof = false;
            while (len < cap) {
                ssize_t n = ::read(fd_, buf.get() + len, cap - len);
                if (n < 0 && errno == EINTR) continue;
                if (n < 0) {
                    failed_ = true;
                    return false;
                }
                if (n == 0) {
                    eof = true;
                    break;
                }
                len += static_cast<size_t>(n);
            }
            size_t start = 0;
            if (first_) {
                if (len >= 3 && hasByteOrderMark(std::string_view(buf.get(), 3))) start = 3;
                else if (len < 3 && !eof) continue;
            }
            if (eof) {
                done_ = true;
                if (len == start && !first_) return false;
                first_ = false;
                out.text = std::string_view(buf.get() + start, len - start);
                out.last = true;
                out.owned = std::move(buf);
                return true;
            }
            if (size_t b = CSVChunkParser::lastRecordBoundary(buf.get() + start, len - start)) {
                first_ = false;
                carry_.assign(buf.get() + start + b, len - start - b);
                out.text = std::string_view(buf.get() + start, b);
                out.last = false;
                out.owned = std::move(buf);
                return true;
            }
            // A record longer than the piece: read more.
            size_t bigger = cap * 2;
            auto grown = std::make_unique_for_overwrite<char[]>(bigger);
            std::memcpy(grown.get(), buf.get(), len);
            buf = std::move(grown);
            cap = bigger;
        }
    }

private:
    int fd_ = -1;
    size_t size_ = 0;
    size_t chunkBytes_;
    std::string carry_;
    bool first_ = true;
    bool done_ = false;
    bool failed_ = false;
};

// Reads pieces of the text on several threads and joins them in order. Any
// problem makes run return false: the caller then reads the text again on one
// thread, which reports it with its line.
class ParallelRead {
public:
    ParallelRead(const CSVReader::Options& options, const std::string& source) : options_(options), source_(source) {}

    // openSource makes a fresh source over the same text (a second pass
    // needs one).
    bool run(const std::function<std::unique_ptr<ChunkSource>()>& openSource, CSVReader::Result& result) {
        if (options_.delimiter == '"' || options_.delimiter == '\n' || options_.delimiter == '\r') return false;
        std::unique_ptr<ChunkSource> src = openSource();
        if (!src) return false;
        Chunk first;
        if (!src->next(first)) return false;
        std::vector<std::string> header;
        if (!CSVChunkParser::readHeader(first.text, options_.delimiter, first.last, header, headerEnd_))
            return false;
        if (firstInvalidUtf8(first.text.substr(0, headerEnd_)) != std::string_view::npos) return false;

        Reader r(source_, options_, result);
        // Room for the rows up front, from the line ends of the first piece.
        size_t lines = CSVScanner::count(first.text.data(), first.text.size(), '\n');
        r.expectedRows = first.last ? lines
                                    : static_cast<size_t>(static_cast<double>(lines) * 1.05 *
                                                          static_cast<double>(src->size()) /
                                                          static_cast<double>(std::max<size_t>(first.text.size(), 1))) +
                                          16;
        r.header = std::move(header);
        r.inHeader = false;
        r.setUpColumns();
        if (!r.error.empty()) return false;
        reader_ = &r;
        result_ = &result;
        const size_t n = r.columns.size();
        plan_.assign(n, {});
        state_.assign(n, State::NUMBERS);
        textSeen_ = std::make_unique<std::atomic<bool>[]>(n);
        distinct_ = std::make_unique<std::atomic<size_t>[]>(n);
        for (size_t c = 0; c < n; ++c) {
            ColumnState& st = r.columns[c];
            textSeen_[c] = false;
            distinct_[c] = 0;
            if (st.mode == ColumnState::CHARACTER) {
                plan_[c].kind = CSVChunkParser::Kind::TEXT;
                state_[c] = State::TEXT;
            } else if (st.mode == ColumnState::FORMATTED) {
                plan_[c] = {CSVChunkParser::Kind::FORMATTED, st.format.get()};
                countLines_ = true;
            } else {
                plan_[c].kind = CSVChunkParser::Kind::AUTO;
            }
        }
        if (!pass(*src, std::move(first))) return false;
        r.rows = rows_;

        // Columns that turned to text after numbers were kept: read again.
        bool again = false;
        for (size_t c = 0; c < n; ++c) {
            if (state_[c] == State::LATE) {
                turnToText(r.columns[c], r, rows_);
                plan_[c].kind = CSVChunkParser::Kind::TEXT;
                state_[c] = State::TEXT;
                again = true;
            } else {
                plan_[c].kind = CSVChunkParser::Kind::SKIP;
                state_[c] = State::SKIPPED;
            }
        }
        if (again) {
            countLines_ = false;
            rows_ = 0;
            std::unique_ptr<ChunkSource> second = openSource();
            Chunk head;
            if (!second || !second->next(head) || !pass(*second, std::move(head)) || rows_ != r.rows) return false;
        }
        assemble(r, options_, source_, result);
        return true;
    }

private:
    enum class State { NUMBERS, TEXT, LATE, SKIPPED };
    // Per thread and column: the column's code of each string of the thread's
    // dictionary (by the thread's code).
    struct CodeMap {
        const Column* column = nullptr;
        std::vector<uint32_t> codes;
    };

    bool pass(ChunkSource& src, Chunk first) {
        size_t threads = options_.threads ? options_.threads : std::max(1u, std::thread::hardware_concurrency());
        if (first.last) threads = 1;
        failed_ = false;
        nextIndex_ = 1;
        turn_ = 0;
        line_ = 1;
        std::optional<Chunk> pending(std::move(first));
        auto work = [&] {
            // The parser of this thread's last piece, whose dictionaries the
            // next one takes over, and the column codes of their strings.
            std::unique_ptr<CSVChunkParser> earlier;
            std::vector<CodeMap> codeMaps(plan_.size());
            for (;;) {
                Chunk ch;
                {
                    std::lock_guard<std::mutex> lock(sourceMutex_);
                    if (failed_) return;
                    if (pending) {
                        ch = std::move(*pending);
                        pending.reset();
                        ch.index = 0;
                    } else {
                        if (!src.next(ch)) {
                            if (src.failed()) failed_ = true;
                            return;
                        }
                        ch.index = nextIndex_++;
                    }
                }
                std::vector<CSVChunkParser::ColumnPlan> plan = plan_;
                for (size_t c = 0; c < plan.size(); ++c) {
                    if (plan[c].kind == CSVChunkParser::Kind::AUTO && textSeen_[c].load(std::memory_order_relaxed))
                        plan[c].kind = CSVChunkParser::Kind::TEXT;
                    plan[c].distinctHint = distinct_[c].load(std::memory_order_relaxed);
                }
                const size_t skip = ch.index == 0 ? headerEnd_ : 0;
                auto parser = std::make_unique<CSVChunkParser>(options_.delimiter, std::move(plan));
                if (earlier) parser->takeDictionaries(*earlier);
                std::string_view body = ch.text.substr(std::min(skip, ch.text.size()));
                bool ok = firstInvalidUtf8(body) == std::string_view::npos && parser->parse(body, ch.last);
                if (ok)
                    for (size_t c = 0; c < plan_.size(); ++c)
                        if (plan_[c].kind == CSVChunkParser::Kind::AUTO &&
                            parser->column(c).kind == CSVChunkParser::Kind::TEXT)
                            textSeen_[c].store(true, std::memory_order_relaxed);
                std::unique_lock<std::mutex> lock(mergeMutex_);
                turnDone_.wait(lock, [&] { return turn_ == ch.index || failed_; });
                if (!failed_ && !(ok && merge(ch, skip, *parser, codeMaps))) failed_ = true;
                ++turn_;
                turnDone_.notify_all();
                earlier = std::move(parser);
            }
        };
        std::vector<std::thread> helpers;
        for (size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
        work();
        for (auto& h : helpers) h.join();
        return !failed_;
    }

    bool merge(const Chunk& ch, size_t skip, CSVChunkParser& parser, std::vector<CodeMap>& codeMaps) {
        Reader& r = *reader_;
        for (size_t c = 0; c < plan_.size(); ++c) {
            ColumnState& st = r.columns[c];
            CSVChunkParser::ColumnValues& v = parser.column(c);
            switch (state_[c]) {
            case State::NUMBERS:
                if (v.kind == CSVChunkParser::Kind::TEXT) {
                    if (rows_ == 0) {
                        turnToText(st, r, r.expectedRows);
                        state_[c] = State::TEXT;
                        appendText(*st.column, v, codeMaps[c]);
                    } else {
                        state_[c] = State::LATE;  // read as text in a second pass
                        std::vector<double>().swap(*st.numbers);
                    }
                } else {
                    st.numbers->insert(st.numbers->end(), v.numbers.begin(), v.numbers.end());
                }
                break;
            case State::TEXT:
                if (v.kind != CSVChunkParser::Kind::TEXT && !parser.reparseAsText(c)) return false;
                appendText(*st.column, v, codeMaps[c]);
                distinct_[c].store(v.dictionary.size(), std::memory_order_relaxed);
                break;
            case State::LATE:
            case State::SKIPPED: break;
            }
            // The values are joined: only the dictionaries go on to the
            // thread's next piece.
            std::vector<double>().swap(v.numbers);
            std::vector<uint32_t>().swap(v.codes);
        }
        rows_ += parser.getRowCount();
        if (countLines_) {
            result_->warningCount += parser.getWarningCount();
            for (const auto& w : parser.getWarnings()) {
                if (result_->warnings.size() >= CSVReader::MAX_LISTED_WARNINGS) break;
                size_t line = line_ + CSVScanner::count(ch.text.data(), skip + w.recordEnd, '\n');
                result_->warnings.push_back(source_ + ":" + std::to_string(line) + ": \"" + w.text +
                                            "\" is not a value of format " +
                                            r.columns[w.column].format->getFullName() + " (column " +
                                            *r.columns[w.column].column->getName() + "), read as missing");
            }
            line_ += CSVScanner::count(ch.text.data(), ch.text.size(), '\n');
        }
        return true;
    }

    // Appends a piece's text values to the column. The column codes of the
    // thread's dictionary strings are kept from piece to piece: only strings
    // new to the thread are looked up in the column.
    static void appendText(Column& column, const CSVChunkParser::ColumnValues& v, CodeMap& map) {
        if (map.column != &column) {
            map.column = &column;
            map.codes.assign(1, 0);
        }
        for (size_t i = map.codes.size(); i < v.dictionary.size(); ++i)
            map.codes.push_back(column.internString(v.dictionary[i]));
        const uint32_t* codes = map.codes.data();
        std::vector<uint32_t>& out = column.mutableCodes();
        size_t at = out.size();
        out.resize(at + v.codes.size());
        for (size_t i = 0; i < v.codes.size(); ++i) out[at + i] = codes[v.codes[i]];
    }

    const CSVReader::Options& options_;
    const std::string& source_;
    Reader* reader_ = nullptr;
    CSVReader::Result* result_ = nullptr;
    size_t headerEnd_ = 0;
    std::vector<CSVChunkParser::ColumnPlan> plan_;
    std::vector<State> state_;
    std::unique_ptr<std::atomic<bool>[]> textSeen_;
    // Distinct values of the last piece joined, per column: sizes the next
    // pieces' dictionaries.
    std::unique_ptr<std::atomic<size_t>[]> distinct_;
    bool countLines_ = false;

    std::mutex sourceMutex_;
    std::mutex mergeMutex_;
    std::condition_variable turnDone_;
    bool failed_ = false;
    size_t nextIndex_ = 1;
    size_t turn_ = 0;
    size_t rows_ = 0;
    size_t line_ = 1;
};

size_t chunkBytesOf(const CSVReader::Options& options) {
    return options.chunkBytes ? std::max<size_t>(options.chunkBytes, 64) : kDefaultChunkBytes;
}

} // namespace

CSVReader::Result CSVReader::readString(std::string_view text, const Options& options, const std::string& sourceName) {
    {
        Result result;
        ParallelRead read(options, sourceName);
        if (read.run([&] { return std::make_unique<MemorySource>(text, chunkBytesOf(options)); }, result))
            return result;
    }
    return readSequential(text, options, sourceName);
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
    // Regular files are read piece by piece; anything else (or a file that
    // is refused, to report the problem) is read whole.
    auto source = std::make_unique<FileSource>(path, chunkBytesOf(options));
    std::unique_ptr<FileBytes> file;
    if (!source->ok()) {
        file = std::make_unique<FileBytes>(path);
        if (!file->ok()) {
            result.error = path + ": cannot open the file";
            return result;
        }
    }

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
    if (!file) {
        Result r;
        ParallelRead read(opts, path);
        bool ok = read.run(
            [&]() -> std::unique_ptr<ChunkSource> {
                if (source) return std::move(source);
                auto again = std::make_unique<FileSource>(path, chunkBytesOf(opts));
                if (!again->ok()) return nullptr;
                return again;
            },
            r);
        if (ok) {
            r.metadataFile = result.metadataFile;
            return r;
        }
        file = std::make_unique<FileBytes>(path);
        if (!file->ok()) {
            result.error = path + ": cannot open the file";
            return result;
        }
    }
    Result r = readSequential(file->text(), opts, path);
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
