// SPDX-License-Identifier: Apache-2.0
// orvane sonify: maps data values to the tones the library would play for
// them, and renders a CSV column as one audio file a person can listen to.
//
//   orvane sonify [--min A] [--max B] VALUE...
//       prints, per value, the piano key of its tone and the resolved sound file
//   orvane sonify FILE.csv --column NAME -o OUT.wav|OUT.mp3 [--min A] [--max B]
//       plays the column's values in row order, with a short gap between
//       sounds; missing values get the missing-value sound, values outside
//       the range the edge sound.
//   orvane sonify --table REPORT.xml --column NAME -o OUT.wav|OUT.mp3
//       the same for a column of the report's first table, in the order the
//       table shows its rows, read through the table's accessibility
//       controller (what a screen-reader user hears for that column).
#include "Command.h"
#include "AtomicFile.h"
#include "ToolFiles.h"

#include "audio/Mp3Decoder.h"
#include "audio/Mp3Encoder.h"
#include "audio/WavWriter.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/accessibility/SonificationTone.h"
#include "orvane/accessibility/SonificationToneMapper.h"
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/DataGridAccessibilityController.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/report/Report.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::tool {

namespace {

constexpr double kGapSeconds = 0.08;
// About two hours of sound; keeps a WAVE file well below its 4 GiB limit.
constexpr size_t kMaxValues = 12000;

struct Options {
    std::optional<double> minimum, maximum;
    std::string column, output, file, table;
    std::vector<std::string> valueTexts;
};

bool parseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

bool endsWith(const std::string& s, const std::string& suffix) {
    if (s.size() < suffix.size()) return false;
    return std::equal(suffix.rbegin(), suffix.rend(), s.rbegin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// Parses the arguments; an empty result means success, anything else is the
// usage error to print.
std::string parseOptions(const std::vector<std::string>& args, Options& o) {
    ArgParser p = CommandRegistry::parserFor("sonify");
    if (!p.parse(args)) return p.error();
    for (const char* name : {"min", "max"}) {
        if (!p.has(name)) continue;
        double number = 0;
        const std::string v = p.get(name);
        if (!parseNumber(v, number) || !std::isfinite(number))
            return std::string("--") + name + " needs a finite number, not \"" + v + "\"";
        (std::string(name) == "min" ? o.minimum : o.maximum) = number;
    }
    o.column = p.get("column");
    o.table = p.get("table");
    o.output = p.get("output");
    for (const auto& a : p.positional()) {
        double number = 0;
        if (parseNumber(a, number))
            o.valueTexts.push_back(a);
        else if (o.file.empty())
            o.file = a;
        else
            return "only one CSV file can be sonified at a time";
    }
    if (o.minimum && o.maximum && *o.minimum > *o.maximum) return "--min must not be greater than --max";
    return {};
}

// The range: the given ends, completed by the smallest and largest finite value.
void fillRange(Options& o, const std::vector<double>& values) {
    double lo = INFINITY, hi = -INFINITY;
    for (double v : values)
        if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    if (!o.minimum) o.minimum = o.maximum ? std::min(lo, *o.maximum) : lo;
    if (!o.maximum) o.maximum = std::max(hi, *o.minimum);
}

std::string describeRange(const SonificationToneMapper& mapper) {
    auto bp = mapper.getBreakpoints();
    if (!bp || bp->empty()) return "(none: no finite values)";
    std::ostringstream s;
    s << bp->front() << " to " << bp->back();
    return s.str();
}

std::shared_ptr<SonificationToneMapper> makeMapper(const Options& o) {
    return SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO,
                                          o.minimum.value_or(NAN), o.maximum.value_or(NAN));
}

int listTones(Options& o) {
    std::vector<double> values;
    for (const auto& t : o.valueTexts) {
        double v = 0;
        parseNumber(t, v);
        values.push_back(v);
    }
    fillRange(o, values);
    auto mapper = makeMapper(o);
    std::cout << "range " << describeRange(*mapper) << "\n";
    for (size_t i = 0; i < values.size(); ++i) {
        auto tone = mapper->map(values[i]);
        std::string key, file;
        if (!tone) {
            key = "none";
            file = "(outside the range)";
        } else {
            key = std::isnan(values[i]) ? "missing" : std::to_string(tone->getKeyNumber());
            auto path = tone->getLocalPath();
            file = path ? *path : "(sound file not found)";
        }
        std::cout << o.valueTexts[i] << "\t" << key << "\t" << file << "\n";
    }
    return 0;
}

// The values of one numeric column of a CSV file, NaN for missing values.
bool readColumn(const std::string& path, const std::string& name, std::vector<double>& values, std::string& error) {
    CSVReader::Result data = CSVReader::readFile(path);
    if (!data.ok()) {
        error = data.error;
        return false;
    }
    auto column = data.dataSet->getColumnWithName(name);
    if (!column) {
        error = "no column \"" + name + "\" in " + path;
        return false;
    }
    const size_t rows = column->getRowCount();
    if (!column->isNumeric()) {
        // Name the first cell that kept the column from being numeric.
        for (size_t r = 0; r < rows; ++r) {
            if (column->isMissingAtIndex(r)) continue;
            auto text = column->getStringAtIndex(r);
            double v;
            if (text && !PropertyTextCodec::parseDouble(*text, v)) {
                error = "row " + std::to_string(r + 2) + ": \"" + *text + "\" in column \"" + name +
                        "\" is not a number";
                return false;
            }
        }
        error = "column \"" + name + "\" is not numeric";
        return false;
    }
    values.resize(rows);
    for (size_t r = 0; r < rows; ++r)
        values[r] = column->isMissingAtIndex(r) ? std::numeric_limits<double>::quiet_NaN() : column->getNumberAtIndex(r);
    return true;
}

// The values of a column of the report's first table, in the table's row
// order, through its accessibility controller; NaN for missing values.
bool readTableColumn(const std::string& path, const std::string& name, std::vector<double>& values,
                     std::string& error) {
    std::vector<std::string> errors;
    auto report = Report::open(path, errors);
    if (!report) {
        error = errors.empty() ? path + ": cannot be read" : errors.front();
        return false;
    }
    report->layout(0.0f, 0.0f);
    report->render();
    auto tables = report->getTables();
    std::shared_ptr<DataGridRenderer> table = tables.empty() ? nullptr : tables.front();
    if (!table) {
        error = path + ": the report has no table";
        return false;
    }
    auto controller = std::dynamic_pointer_cast<DataGridAccessibilityController>(table->getAccessibilityController());
    auto names = table->getOrderedColumnNames();
    auto* grid = table->getDataGridNode();
    // By data column name or by the header the table shows.
    int column = -1;
    for (size_t c = 0; c < names.size() && grid; ++c)
        if (names[c] == name || grid->GetColumnHeader(int(c)) == name) column = int(c);
    if (!controller || column < 0) {
        error = "no column \"" + name + "\" in the table of " + path;
        return false;
    }
    displaylist::TqImageMapEntryStruct entry;
    if (!controller->getEntryForDetail(displaylist::TqDataGrid::GetPickID(0, column, displaylist::TqDataGrid::COMPONENT_CELL),
                                       entry)) {
        error = "the table of " + path + " has no rows";
        return false;
    }
    auto cell = controller->getAccessibilityElementByEntry(entry);
    values = controller->getSeriesValues(cell, true, kMaxValues + 1);
    bool anyNumber = std::any_of(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
    if (!anyNumber) {
        error = "column \"" + name + "\" of the table in " + path + " holds no numbers";
        return false;
    }
    return true;
}

int renderColumn(Options& o) {
    if (o.column.empty()) return usageError("sonify", "--column NAME is needed with a CSV file");
    if (o.output.empty()) return usageError("sonify", "-o OUT.wav or -o OUT.mp3 is needed with a CSV file");
    bool mp3 = endsWith(o.output, ".mp3");
    if (!mp3 && !endsWith(o.output, ".wav"))
        return usageError("sonify", "the output must end in .wav or .mp3: " + o.output);
    if (!o.valueTexts.empty()) return usageError("sonify", "values cannot be given together with a CSV file");

    std::vector<double> values;
    std::string error;
    if (!ToolFiles::checkReadable(o.file, error)) return fail(error);
    if (!o.table.empty() ? !readTableColumn(o.file, o.column, values, error) : !readColumn(o.file, o.column, values, error))
        return fail("sonify: " + error);
    if (values.empty()) return fail("sonify: column \"" + o.column + "\" of " + o.file + " has no values");
    if (values.size() > kMaxValues)
        return fail("sonify: column \"" + o.column + "\" has " + std::to_string(values.size()) +
                    " values; at most " + std::to_string(kMaxValues) + " fit in one audio file");
    fillRange(o, values);
    auto mapper = makeMapper(o);
    auto bumper = SonificationTone::createBumper();

    // Decode each sound once; the series refers to them by path.
    std::map<std::string, audio::PcmAudio> sounds;
    std::vector<const audio::PcmAudio*> series;
    int sampleRate = 0;
    size_t missing = 0, outside = 0;
    for (double v : values) {
        auto tone = mapper->map(v);
        if (std::isnan(v)) ++missing;
        if (!tone) {
            ++outside;
            tone = bumper;
        }
        auto path = tone->getLocalPath();
        if (!path) return fail("sonify: a sound file of the library could not be resolved");
        auto it = sounds.find(*path);
        if (it == sounds.end()) {
            audio::PcmAudio pcm;
            if (!audio::Mp3Decoder::decodeFile(*path, pcm, error)) return fail("sonify: " + error);
            if (sampleRate == 0) sampleRate = pcm.sampleRate;
            if (pcm.sampleRate != sampleRate) return fail("sonify: the sound files differ in sample rate");
            it = sounds.emplace(*path, std::move(pcm)).first;
        }
        series.push_back(&it->second);
    }

    const std::vector<float> gap(static_cast<size_t>(std::lround(kGapSeconds * sampleRate)), 0.0f);
    size_t total = 0;
    for (const auto* s : series) total += s->samples.size() + gap.size();

    AtomicFile file(o.output);
    if (!file.open()) return fail(file.error());
    if (mp3) {
        audio::Mp3Encoder::Settings settings;
        settings.sampleRate = sampleRate;
        settings.bitrateKbps = 64;
        audio::Mp3Encoder encoder(settings);
        for (const auto* s : series) {
            encoder.add(s->samples);
            encoder.add(gap);
        }
        encoder.finish();
        if (!encoder.ok()) return fail("sonify: " + encoder.error());
        file.write(encoder.output());
    } else {
        // Streamed sound by sound: the PCM of a long series is never held whole.
        file.write(audio::WavWriter::header(total, sampleRate));
        std::vector<uint8_t> chunk;
        for (const auto* s : series) {
            chunk.clear();
            audio::WavWriter::appendSamples(s->samples, chunk);
            audio::WavWriter::appendSamples(gap, chunk);
            if (!file.write(chunk)) break;
        }
    }
    if (!file.commit()) return fail(file.error());
    if (!quiet()) std::cout << "wrote " << o.output << ": " << values.size() << " values (" << missing << " missing, " << outside
              << " outside the range " << describeRange(*mapper) << "), " << static_cast<double>(total) / sampleRate
              << " s\n";
    return 0;
}

int sonify(const std::vector<std::string>& args) {
    Options o;
    if (std::string problem = parseOptions(args, o); !problem.empty()) return usageError("sonify", problem);
    if (!o.table.empty()) {
        if (!o.file.empty()) return usageError("sonify", "give either a CSV file or --table REPORT, not both");
        o.file = o.table;
        return renderColumn(o);
    }
    if (!o.file.empty()) return renderColumn(o);
    if (!o.column.empty() || !o.output.empty()) return usageError("sonify", "--column and -o need a CSV file");
    if (o.valueTexts.empty()) return usageError("sonify", "no values given");
    return listTones(o);
}

} // namespace

ORVANE_TOOL_COMMAND("sonify",
                    "[--min A] [--max B] VALUE... | FILE.csv --column NAME -o OUT.wav|OUT.mp3 | --table REPORT --column NAME -o OUT",
                    "print the tone of each value, or render a CSV or table column as sound", &sonify,
                    {{"--min", "A", "the low end of the range (default: the smallest value)"},
                     {"--max", "B", "the high end of the range (default: the largest value)"},
                     {"--column", "NAME", "the CSV column (or table column: name or header) to play"},
                     {"--table", "REPORT", "play a column of the report's first table, in the table's row order"},
                     {"-o, --output", "OUT", "the sound file to write, .wav or .mp3"}},
                    "Values are numbers, or nan for a missing value (use -- before negative values\n"
                    "that look like options).\n\n"
                    "examples:\n  orvane sonify --min 0 --max 36 0 1.5 36 nan\n"
                    "  orvane sonify examples/sales.csv --column revenue -o sales.wav\n"
                    "  orvane sonify --table examples/table/table-report.xml --column population -o population.wav");

} // namespace orvane::tool
