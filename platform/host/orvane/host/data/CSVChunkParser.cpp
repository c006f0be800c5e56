// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CSVChunkParser.h"

#include "orvane/host/data/CSVScanner.h"
#include "orvane/host/format/Formatter.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

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

inline uint64_t load8(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}
inline uint64_t load4(const char* p) {
    uint32_t w;
    std::memcpy(&w, p, 4);
    return w;
}
inline uint64_t mix(uint64_t a, uint64_t b) {
    __uint128_t m = static_cast<__uint128_t>(a ^ 0xa0761d6478bd642full) * (b ^ 0xe7037ed1a0b428dbull);
    return static_cast<uint64_t>(m) ^ static_cast<uint64_t>(m >> 64);
}

// A fast hash of short strings (most values of a data file): overlapping
// word loads, no loop below 17 bytes.
inline uint64_t hashBytes(const char* s, size_t n) {
    if (n <= 16) {
        if (n >= 8) return mix(load8(s) ^ n, load8(s + n - 8));
        if (n >= 4) return mix(load4(s) ^ (uint64_t(n) << 32), load4(s + n - 4));
        uint64_t v = n ? (uint64_t(static_cast<uint8_t>(s[0])) << 16) | (uint64_t(static_cast<uint8_t>(s[n >> 1])) << 8) |
                             static_cast<uint8_t>(s[n - 1])
                       : 0;
        return mix(v ^ n, 0x8ebc6af09c88c6e3ull);
    }
    uint64_t h = n;
    size_t i = 0;
    for (; i + 16 <= n; i += 16) h = mix(load8(s + i) ^ h, load8(s + i + 8));
    return mix(load8(s + n - 16) ^ h, load8(s + n - 8));
}

inline bool sameBytes(const char* a, const char* b, size_t n) {
    if (n >= 8 && n <= 16) return load8(a) == load8(b) && load8(a + n - 8) == load8(b + n - 8);
    if (n >= 4 && n < 8) return load4(a) == load4(b) && load4(a + n - 4) == load4(b + n - 4);
    return std::memcmp(a, b, n) == 0;
}

} // namespace

// Walks the records of a piece of text. Field ends are found through bit
// masks of the structural bytes (delimiter, quote, line ends), made 64 bytes at
// a time for a window of the text ahead.
class CSVChunkParser::Tokenizer {
public:
    Tokenizer(std::string_view text, char delimiter) : p_(text.data()), n_(text.size()), delimiter_(delimiter) {}

    // onField(column, value) -> false to stop; onRecord(fields, endOffset)
    // -> false to stop. A value may point into a scratch buffer (a quoted
    // field with doubled quotes): it is valid during the call only.
    // Returns false for malformed text or when a callback stops.
    template <class OnField, class OnRecord>
    bool run(size_t pos, bool last, OnField&& onField, OnRecord&& onRecord) {
        const char* p = p_;
        const size_t n = n_;
        while (pos < n) {
            char c = p[pos];
            if (c == '\n' || c == '\r') {  // empty lines are no records
                ++pos;
                continue;
            }
            size_t field = 0;
            for (;;) {
                if (pos >= n) {  // the text ends after a delimiter: an empty last field
                    if (!last || !onField(field++, std::string_view())) return false;
                    return onRecord(field, n);
                }
                std::string_view value;
                size_t e;
                if (p[pos] == '"') {
                    size_t q = pos + 1, seg = q;
                    bool escaped = false;
                    for (;;) {
                        const void* f = q < n ? std::memchr(p + q, '"', n - q) : nullptr;
                        if (!f) return false;  // still open at the end of the text
                        size_t k = static_cast<size_t>(static_cast<const char*>(f) - p);
                        if (k + 1 < n && p[k + 1] == '"') {
                            if (!escaped) scratch_.clear();
                            scratch_.append(p + seg, k + 1 - seg);
                            escaped = true;
                            q = seg = k + 2;
                            continue;
                        }
                        if (escaped) {
                            scratch_.append(p + seg, k - seg);
                            value = scratch_;
                        } else {
                            value = std::string_view(p + pos + 1, k - pos - 1);
                        }
                        e = k + 1;
                        break;
                    }
                    if (e < n) {
                        c = p[e];
                        if (c != delimiter_ && c != '\n' && c != '\r') return false;  // text after a closing quote
                    }
                } else {
                    e = nextStructural(pos);
                    if (e < n) {
                        c = p[e];
                        if (c == '"') return false;  // a quote inside an unquoted field
                    }
                    value = std::string_view(p + pos, e - pos);
                }
                if (!onField(field++, value)) return false;
                if (e >= n) {
                    if (!last) return false;
                    return onRecord(field, n);
                }
                pos = e + 1;
                if (c == delimiter_) continue;
                if (!onRecord(field, e)) return false;
                break;
            }
        }
        return true;
    }

private:
    static constexpr size_t kWindowWords = 256;

    size_t nextStructural(size_t pos) {
        for (;;) {
            if (pos >= windowEnd_) {
                if (pos >= n_) return n_;
                load(pos & ~size_t(63));
            }
            size_t rel = pos - windowStart_;
            uint64_t m = masks_[rel >> 6] >> (rel & 63);
            if (m) return pos + static_cast<size_t>(__builtin_ctzll(m));
            pos = windowStart_ + ((rel >> 6) + 1) * 64;
        }
    }
    void load(size_t start) {
        windowStart_ = start;
        size_t avail = n_ - start;
        size_t full = std::min(kWindowWords, avail / 64);
        if (full) CSVScanner::structuralMasks(p_ + start, full, delimiter_, masks_);
        size_t end = start + full * 64;
        if (full < kWindowWords && end < n_) {
            // The last partial block, byte by byte.
            uint64_t m = 0;
            for (size_t i = end; i < n_; ++i) {
                char c = p_[i];
                if (c == delimiter_ || c == '"' || c == '\n' || c == '\r') m |= uint64_t(1) << (i - end);
            }
            masks_[full] = m;
            end = n_;
        }
        windowEnd_ = end;
    }

    const char* p_;
    size_t n_;
    char delimiter_;
    size_t windowStart_ = 0, windowEnd_ = 0;
    uint64_t masks_[kWindowWords];
    std::string scratch_;
};

// Open-addressing index of a piece's distinct strings: per slot the high 32
// bits of the hash and the code + 1 (0 = empty).
// The strings are copied into blocks, packed in the order met, each after
// its code: comparing with them stays within a small part of memory instead
// of the whole piece. A slot holds the hash's high half with the length, and
// the string: a lookup touches the slot and the string only.
struct CSVChunkParser::Dictionary {
    struct Slot {
        uint64_t key = 0;  // hash high 32 bits | length
        const char* text = nullptr;  // null: empty slot; the code is the 4 bytes before
    };
    std::vector<Slot> slots;
    std::vector<std::unique_ptr<char[]>> blocks;
    size_t used = 0, room = 0;
    const char* keep(std::string_view v, uint32_t code) {
        size_t need = v.size() + 4;
        if (blocks.empty() || need > room - used) {
            room = std::max<size_t>(64 * 1024, need);
            blocks.push_back(std::make_unique_for_overwrite<char[]>(room));
            used = 0;
        }
        char* at = blocks.back().get() + used;
        std::memcpy(at, &code, 4);
        std::memcpy(at + 4, v.data(), v.size());
        used += (need + 3) & ~size_t(3);
        if (used > room) used = room;
        return at + 4;
    }
};

CSVChunkParser::CSVChunkParser(char delimiter, std::vector<ColumnPlan> plan)
    : delimiter_(delimiter), plan_(std::move(plan)), columns_(plan_.size()), dictionaries_(plan_.size()) {
    for (size_t c = 0; c < plan_.size(); ++c) columns_[c].kind = plan_[c].kind;
}

CSVChunkParser::~CSVChunkParser() = default;

namespace {
// Plain decimals of up to 15 digits ("474.70", "-12", "100012"): the digits
// as an integer divided by a power of ten. Both are exact doubles, so the one
// rounding of the division gives the nearest double, as from_chars does.
inline bool readShortDecimal(std::string_view t, double& out) {
    static constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = t.data();
    const char* end = p + t.size();
    bool negative = p < end && *p == '-';
    if (negative) ++p;
    uint64_t m = 0;
    int digits = 0, fraction = -1;
    for (; p < end; ++p) {
        unsigned d = static_cast<unsigned>(*p - '0');
        if (d < 10) {
            m = m * 10 + d;
            ++digits;
            if (fraction >= 0) ++fraction;
        } else if (*p == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return false;
        }
    }
    if (digits == 0 || digits > 15 || fraction == 0) return false;
    double v = static_cast<double>(m);
    if (fraction > 0) v /= kPow10[fraction];
    out = negative ? -v : v;
    return true;
}

// The number reading of readNumber, inlined into the parse loop.
inline bool parseNumber(std::string_view text, double& out) {
    std::string_view t = trim(text);
    if (t.size() > 4 || (!t.empty() && static_cast<unsigned>(t.back() - '0') < 10)) {
        if (readShortDecimal(t, out)) return true;
    }
    if (isMissingToken(t)) {
        out = kNaN;
        return true;
    }
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), out);
    if (p != t.data() + t.size()) return false;
    if (ec == std::errc()) return true;
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the nearest double.
        out = std::strtod(std::string(t).c_str(), nullptr);
        return true;
    }
    return false;
}
} // namespace

bool CSVChunkParser::readNumber(std::string_view text, double& out) { return parseNumber(text, out); }

size_t CSVChunkParser::lastRecordBoundary(const char* text, size_t size) {
    // Quotes come in pairs in well-formed text ("" inside a quoted field is
    // two), so a line feed is outside quotes when an even number of quotes
    // comes before it.
    size_t quotes = CSVScanner::count(text, size, '"');
    size_t after = 0;
    for (size_t i = size; i-- > 0;) {
        char c = text[i];
        if (c == '"') ++after;
        else if (c == '\n' && ((quotes - after) & 1) == 0) return i + 1;
    }
    return 0;
}

bool CSVChunkParser::readHeader(std::string_view text, char delimiter, bool last, std::vector<std::string>& fields,
                                size_t& end) {
    Tokenizer t(text, delimiter);
    bool done = false;
    bool ok = t.run(
        0, last,
        [&](size_t, std::string_view v) {
            fields.emplace_back(v);
            return true;
        },
        [&](size_t, size_t at) {
            end = std::min(at + 1, text.size());
            done = true;
            return false;
        });
    (void)ok;
    return done;
}

inline CSVChunkParser::Dictionary& CSVChunkParser::dictionaryOf(size_t column) {
    auto& dict = dictionaries_[column];
    if (!dict) {
        dict = std::make_unique<Dictionary>();
        size_t slots = 1024;
        while (slots < plan_[column].distinctHint * 2 && slots < (size_t(1) << 24)) slots *= 2;
        dict->slots.resize(slots);
        columns_[column].dictionary.assign(1, std::string_view());
    }
    return *dict;
}

uint32_t CSVChunkParser::intern(size_t column, std::string_view value) {
    if (value.empty()) return 0;
    return intern(column, value, hashBytes(value.data(), value.size()));
}

inline uint32_t CSVChunkParser::intern(size_t column, std::string_view value, uint64_t h) {
    ColumnValues& col = columns_[column];
    Dictionary* dict = &dictionaryOf(column);
    const uint64_t key = (h & 0xffffffff00000000ull) | static_cast<uint32_t>(value.size());
    size_t mask = dict->slots.size() - 1;
    size_t i = h & mask;
    for (;; i = (i + 1) & mask) {
        const Dictionary::Slot& s = dict->slots[i];
        if (!s.text) break;
        if (s.key == key && sameBytes(s.text, value.data(), value.size())) {
            uint32_t code;
            std::memcpy(&code, s.text - 4, 4);
            return code;
        }
    }
    uint32_t code = static_cast<uint32_t>(col.dictionary.size());
    const char* kept = dict->keep(value, code);
    col.dictionary.emplace_back(kept, value.size());
    dict->slots[i] = {key, kept};
    if (col.dictionary.size() * 2 > dict->slots.size()) {
        std::vector<Dictionary::Slot> bigger(dict->slots.size() * 2);
        size_t m = bigger.size() - 1;
        for (const Dictionary::Slot& s : dict->slots) {
            if (!s.text) continue;
            size_t j = hashBytes(s.text, static_cast<uint32_t>(s.key)) & m;
            while (bigger[j].text) j = (j + 1) & m;
            bigger[j] = s;
        }
        dict->slots.swap(bigger);
    }
    return code;
}

// Slots of a dictionary small enough to stay in the cache (256 KB).
constexpr size_t kCachedSlots = 16384;

// Most lookups of a large dictionary miss the cache twice: the slot, then
// the string it points to. Text values therefore wait in a short queue: the
// slot is fetched ahead when a value is queued, the string when the value is
// half-way through, and the value is looked up when it leaves the queue, by
// then mostly from the cache. Values leave in the order they came, so codes
// are given in the order of first appearance, as without the queue.
void CSVChunkParser::queueText(size_t column, std::string_view value) {
    ColumnValues& col = columns_[column];
    if (value.empty()) {
        col.codes.push_back(0);
        return;
    }
    if (value.data() < text_.data() || value.data() + value.size() > text_.data() + text_.size()) {
        // A value unescaped into the tokenizer's scratch buffer is valid
        // during the call only: looked up now, after the values before it.
        flushText();
        col.codes.push_back(intern(column, value));
        return;
    }
    const uint64_t h = hashBytes(value.data(), value.size());
    Dictionary& dict = dictionaryOf(column);
    if (dict.slots.size() <= kCachedSlots) {
        // A small dictionary stays in the cache: looked up at once. (It only
        // grows, so none of the column's values are still waiting.)
        col.codes.push_back(intern(column, value, h));
        return;
    }
    __builtin_prefetch(&dict.slots[h & (dict.slots.size() - 1)]);
    ring_[ringTail_++ & (kRing - 1)] = {column, col.codes.size(), value, h};
    col.codes.push_back(0);
    if (ringTail_ - ringMid_ > kRing / 4) {
        const PendingText& p = ring_[ringMid_++ & (kRing - 1)];
        const Dictionary& d = *dictionaries_[p.column];
        if (const char* text = d.slots[p.hash & (d.slots.size() - 1)].text) __builtin_prefetch(text);
    }
    if (ringTail_ - ringHead_ > kRing / 2) {
        const PendingText& p = ring_[ringHead_++ & (kRing - 1)];
        columns_[p.column].codes[p.row] = intern(p.column, p.value, p.hash);
    }
}

void CSVChunkParser::flushText() {
    for (; ringHead_ < ringTail_; ++ringHead_) {
        const PendingText& p = ring_[ringHead_ & (kRing - 1)];
        columns_[p.column].codes[p.row] = intern(p.column, p.value, p.hash);
    }
    ringMid_ = ringTail_;
}

void CSVChunkParser::takeDictionaries(CSVChunkParser& earlier) {
    const size_t n = std::min(dictionaries_.size(), earlier.dictionaries_.size());
    for (size_t c = 0; c < n; ++c) {
        if (!earlier.dictionaries_[c]) continue;
        dictionaries_[c] = std::move(earlier.dictionaries_[c]);
        columns_[c].dictionary = std::move(earlier.columns_[c].dictionary);
        earlier.columns_[c].dictionary.clear();
    }
}

bool CSVChunkParser::parse(std::string_view text, bool last) {
    text_ = text;
    last_ = last;
    const size_t columns = plan_.size();
    size_t lines = CSVScanner::count(text.data(), text.size(), '\n') + 1;
    for (size_t c = 0; c < columns; ++c) {
        if (plan_[c].kind == Kind::TEXT) columns_[c].codes.reserve(lines);
        else if (plan_[c].kind != Kind::SKIP) columns_[c].numbers.reserve(lines);
    }
    size_t pendingWarnings = warnings_.size();
    // Just past the last whole record read: a column that turns to text reads
    // the records before it again, and goes on as text from there.
    size_t recordsEnd = 0;
    Tokenizer t(text, delimiter_);
    bool ok = t.run(
        0, last,
        [&](size_t c, std::string_view v) {
            if (c >= columns) return false;
            ColumnValues& col = columns_[c];
            switch (col.kind) {
            case Kind::SKIP: break;
            case Kind::AUTO: {
                double d;
                if (parseNumber(v, d)) {
                    col.numbers.push_back(d);
                    break;
                }
                if (!readAsText(c, recordsEnd)) return false;
                col.codes.reserve(lines);
                queueText(c, v);
                break;
            }
            case Kind::FORMATTED: {
                double d;
                if (!plan_[c].format->parse(v, d)) {
                    ++warningCount_;
                    if (warnings_.size() < MAX_WARNINGS) warnings_.push_back({c, std::string(v), 0});
                    d = kNaN;
                }
                col.numbers.push_back(d);
                break;
            }
            case Kind::TEXT: queueText(c, v); break;
            }
            return true;
        },
        [&](size_t fields, size_t end) {
            if (fields != columns) return false;
            for (; pendingWarnings < warnings_.size(); ++pendingWarnings) warnings_[pendingWarnings].recordEnd = end;
            ++rows_;
            recordsEnd = std::min(end + 1, text.size());
            return true;
        });
    if (ok) flushText();
    return ok;
}

bool CSVChunkParser::reparseAsText(size_t column) { return readAsText(column, text_.size()); }

bool CSVChunkParser::readAsText(size_t column, size_t end) {
    ColumnValues& col = columns_[column];
    col.kind = Kind::TEXT;
    std::vector<double>().swap(col.numbers);
    col.codes.clear();
    col.codes.reserve(rows_ + 1);
    if (end == 0) return true;
    Tokenizer t(text_.substr(0, end), delimiter_);
    return t.run(
        0, last_ || end < text_.size(),
        [&](size_t c, std::string_view v) {
            if (c == column) col.codes.push_back(intern(c, v));
            return true;
        },
        [](size_t, size_t) { return true; });
}

} // namespace orvane
