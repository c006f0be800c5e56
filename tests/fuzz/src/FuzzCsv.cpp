// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: CSV data files and their columns files. The input is a
// data file, or a columns file and a data file separated by a line holding
// only "%%". Whatever is read keeps its shape: every column as long as the
// data set has rows, and a refusal always says where.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

namespace {

void checkResult(const CSVReader::Result& r) {
    check(r.ok() == r.error.empty());
    check(r.warnings.size() <= CSVReader::MAX_LISTED_WARNINGS);
    check(r.warnings.size() <= r.warningCount);
    if (!r.ok()) return;
    const auto& ds = *r.dataSet;
    for (size_t c = 0; c < ds.getColumnCount(); ++c) {
        auto column = ds.getColumn(static_cast<int>(c));
        check(column != nullptr);
        check(column->getRowCount() == ds.getRowCount());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t mark = text.find("\n%%\n");
    if (mark == std::string_view::npos) {
        checkResult(CSVReader::readString(text));
        CSVReader::Options semicolons;
        semicolons.delimiter = ';';
        semicolons.inferTypes = false;
        checkResult(CSVReader::readString(text, semicolons));
        return 0;
    }
    // The columns file is read from a file, as a report's would be.
    static const std::string path = "/tmp/orvane-fuzz-" + std::to_string(getpid()) + ".columns.csv";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text.substr(0, mark + 1);
    CSVReader::Options options;
    std::string error;
    bool specs = CSVReader::readColumnSpecs(path, options.columns, error);
    check(specs || !error.empty());
    checkResult(CSVReader::readString(text.substr(mark + 4), options));
    return 0;
}
