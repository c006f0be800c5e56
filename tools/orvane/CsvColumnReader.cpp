#include "CsvColumnReader.h"

#include <csv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace orvane::tool {

namespace {

std::string trim(std::string s) {
    auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
    s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
    return s;
}

bool isMissingText(const std::string& s) {
    std::string lower(s.size(), ' ');
    std::transform(s.begin(), s.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.empty() || lower == "." || lower == "na" || lower == "n/a" || lower == "nan" || lower == "null";
}

// Collects the header and the wanted column while libcsv walks the file.
struct Collector {
    std::string column;
    std::vector<std::string> header;
    long columnIndex = -1;  // resolved after the header row
    size_t field = 0;       // index of the next field in the current row
    size_t row = 0;         // rows completed, header included
    bool cellSeen = false;  // the current row reached the column
    std::vector<double> values;
    std::string error;

    void onField(const char* data, size_t len) {
        if (!error.empty()) return;
        std::string text(data ? data : "", data ? len : 0);
        if (row == 0) {
            if (field == 0 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // byte-order mark
            header.push_back(trim(text));
        } else if (static_cast<long>(field) == columnIndex) {
            cellSeen = true;
            std::string t = trim(text);
            if (isMissingText(t)) {
                values.push_back(NAN);
            } else {
                errno = 0;
                char* end = nullptr;
                double v = std::strtod(t.c_str(), &end);
                if (end == t.c_str() || *end != '\0') {
                    error = "row " + std::to_string(row + 1) + ": \"" + t + "\" in column \"" + column +
                            "\" is not a number";
                    return;
                }
                values.push_back(v);  // overflow gives +/-inf, which is kept
            }
        }
        ++field;
    }

    void onRowEnd() {
        if (!error.empty()) return;
        if (row == 0) {
            auto it = std::find(header.begin(), header.end(), column);
            if (it == header.end()) {
                std::string names;
                for (const auto& h : header) names += (names.empty() ? "" : ", ") + ("\"" + h + "\"");
                error = "no column \"" + column + "\" (the columns are " + names + ")";
            } else {
                columnIndex = it - header.begin();
            }
        } else if (!cellSeen) {
            values.push_back(NAN);
        }
        ++row;
        field = 0;
        cellSeen = false;
    }
};

void fieldCallback(void* data, size_t len, void* self) {
    static_cast<Collector*>(self)->onField(static_cast<const char*>(data), len);
}
void rowCallback(int /*terminator*/, void* self) { static_cast<Collector*>(self)->onRowEnd(); }

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool CsvColumnReader::read(const std::string& path, const std::string& column, std::vector<double>& values,
                           std::string& error) {
    values.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    csv_parser parser;
    if (csv_init(&parser, 0) != 0) {
        error = "cannot read " + path + ": the CSV parser could not be set up";
        return false;
    }
    Collector collector;
    collector.column = column;
    char buf[65536];
    size_t n;
    bool ok = true;
    while (ok && (n = std::fread(buf, 1, sizeof buf, file.get())) > 0) {
        if (csv_parse(&parser, buf, n, fieldCallback, rowCallback, &collector) != n) {
            error = path + ": " + csv_strerror(csv_error(&parser));
            ok = false;
        }
        if (!collector.error.empty()) ok = false;
    }
    if (ok && std::ferror(file.get())) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok) csv_fini(&parser, fieldCallback, rowCallback, &collector);
    csv_free(&parser);
    if (ok && !collector.error.empty()) ok = false;
    if (!ok) {
        if (error.empty()) error = path + ": " + collector.error;
        return false;
    }
    if (collector.row == 0) {
        error = path + ": no header row (the file is empty)";
        return false;
    }
    values = std::move(collector.values);
    return true;
}

} // namespace orvane::tool
