// SPDX-License-Identifier: Apache-2.0
// orvane inspect [--xml] FILE: reads a model document and prints its tree, or
// writes it back as a document. With --data, a data file (InspectDataCommand).
#include "Command.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/document/ModelSerializer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/report/ReportDocument.h"
#include "ToolFiles.h"

#include <cstdio>
#include <iostream>

namespace orvane::tool {

int inspectData(const ArgParser& options);
int inspectCrosstab(const ArgParser& options);

namespace {

void printModel(const BaseModel& model, int indent);

void printProperty(const AbstractProperty& p, ModelDatabase* db, int indent) {
    std::string pad(static_cast<size_t>(indent) * 2, ' ');
    const PropertyDefinition& pd = p.getDefinition();
    std::string name(pd.name);
    if (PropertyTextCodec::isTextual(p) || pd.isTextContent()) {
        std::string v;
        if (!PropertyTextCodec::toText(p, db, v)) v = "(null)";
        if (pd.valueType == ValueType::STRING) v = "\"" + v + "\"";
        std::cout << pad << name << " = " << v << "\n";
        return;
    }
    if (pd.isWeak()) {
        auto o = p.getObjectGenerically();
        std::cout << pad << name << " -> " << (o ? "(linked)" : "(none)") << "\n";
        return;
    }
    if (pd.isVector()) {
        std::cout << pad << name << ": " << p.getVectorSizeGenerically() << " item(s)\n";
        int i = 0;
        p.visitElementsGenerically([&](const void* e) {
            std::string t;
            if (ValueType::isObject(pd.valueType)) {
                auto& w = *static_cast<const std::shared_ptr<Wrappable>*>(e);
                if (auto* m = dynamic_cast<const BaseModel*>(w.get())) {
                    printModel(*m, indent + 1);
                    return;
                }
            }
            if (!PropertyTextCodec::elementToText(pd.valueType, e, t)) t = "(object)";
            std::cout << pad << "  [" << i++ << "] " << t << "\n";
        });
        return;
    }
    auto o = p.getObjectGenerically();
    if (!o) {
        std::cout << pad << name << " = (null)\n";
        return;
    }
    if (auto* m = dynamic_cast<const BaseModel*>(o.get())) {
        std::cout << pad << name << ":\n";
        printModel(*m, indent + 1);
        return;
    }
    std::vector<std::shared_ptr<BaseModel>> parts;
    if (PropertyTextCodec::objectToModels(pd.valueType, *o, parts)) {
        std::cout << pad << name << ": " << parts.size() << " record(s)\n";
        for (auto& m : parts)
            if (m) printModel(*m, indent + 1);
        return;
    }
    std::string t;
    if (PropertyTextCodec::objectToText(pd.valueType, *o, t))
        std::cout << pad << name << " = " << t << "\n";
    else
        std::cout << pad << name << " = (" << PropertyTextCodec::typeName(pd.valueType) << ", wrapper type id "
                  << o->getWrapperTypeId() << ")\n";
}

void printModel(const BaseModel& model, int indent) {
    std::string pad(static_cast<size_t>(indent) * 2, ' ');
    const ModelDefinition& def = SuperModelDatabase::instance()->getModelDefinition(model.getWrapperTypeId());
    std::cout << pad << (def.isEmpty() ? "BaseModel" : std::string(def.className)) << " (wrapper type id "
              << model.getWrapperTypeId() << ")\n";
    ModelDatabase* db = SuperModelDatabase::instance()->getDatabaseForType(model.getWrapperTypeId());
    for (AbstractProperty* p : model.getProperties())
        if (p->hasValue()) printProperty(*p, db, indent + 1);
}

int inspect(const std::vector<std::string>& args) {
    ArgParser p = CommandRegistry::parserFor("inspect");
    if (!p.parse(args)) return usageError("inspect", p.error());
    if (p.has("data")) return inspectData(p);
    if (p.has("crosstab")) return inspectCrosstab(p);
    if (p.has("columns") || p.has("rows")) return usageError("inspect", "--columns and --rows go with --data");
    if (p.positional().empty()) return usageError("inspect", "no file given");
    if (p.positional().size() > 1) return usageError("inspect", "only one file can be inspected at a time");
    const std::string file = p.positional()[0];
    const std::string name = file == "-" ? ToolFiles::STDIN_NAME : file;
    std::string text, error;
    if (!ToolFiles::read(file, text, error)) return fail(error);
    // A report page is a model document with <content> elements: they are
    // blanked out (line numbers kept) and the layout tree is read.
    ReportDocument page = ReportDocument::read(name, text);
    auto reader = OrvaneUIDeserializer::create();
    reader->setSourceName(name);
    auto model = reader->deserialize(page.layoutText);
    if (!model) return fail(reader->getLastError().toString());
    if (!page.errors.empty()) {
        for (const auto& e : page.errors) fail(e);
        return EXIT_FAILED;
    }
    if (p.has("xml")) {
        ModelSerializer writer;
        std::cout << writer.serialize(model, reader->getLastVersion());
        for (const auto& w : writer.getWarnings()) std::fprintf(stderr, "%s: warning: %s\n", name.c_str(), w.c_str());
        return 0;
    }
    std::cout << name << " (format version " << reader->getLastVersion() << ")";
    if (!page.contents.empty())
        std::cout << ", a report page with " << page.contents.size() << " <content> element"
                  << (page.contents.size() == 1 ? "" : "s") << " (not shown)";
    std::cout << "\n";
    printModel(*model, 0);
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND("inspect", "[--xml] FILE | --data FILE.csv [--columns META.csv] [--rows N] [--threads N] | --crosstab FILE.csv --rows A,B --columns C --measures X:sum [--totals] [--subtotals] [--rank N]",
                    "print the model tree of a model document (or write it back as XML), or the typed columns "
                    "and first rows of a data file",
                    &inspect,
                    {{"--xml", "", "write the tree back as a model document instead of printing it"},
                     {"--data", "", "FILE is a CSV data file: print its typed columns and first rows"},
                     {"--columns", "META.csv", "column metadata (name,label,format,usage) for --data; "
                                               "default: FILE.columns.csv when present"},
                     {"--rows", "N", "rows to print with --data (default 10)"},
                     {"--threads", "N", "threads reading the --data file (default 0: one per core)"},
                     {"--crosstab", "FILE.csv", "print the crossings of a data file as a text table (with --rows, "
                                                "--columns, --measures)"},
                     {"--measures", "NAME:AGG,...", "with --crosstab: measures and aggregations (sum, mean, median, ...)"},
                     {"--totals", "", "with --crosstab: grand totals"},
                     {"--subtotals", "", "with --crosstab: subtotals"},
                     {"--top", "", "with --crosstab: totals and subtotals above their members"},
                     {"--collapse", "", "with --crosstab: members collapsed (only the first level)"},
                     {"--limit", "N", "with --crosstab: rows to print at most"},
                     {"--rank", "N", "with --crosstab: the N members of the first row level with the largest first "
                                     "measure; the others in one all-others member"}},
                    "FILE may be \"-\" (standard input). A report page (a LayoutProxy tree with <content>\n"
                    "elements) prints its layout tree.\n\n"
                    "examples:\n  orvane inspect examples/layout.xml\n  orvane inspect --data examples/sales.csv --rows 3");

} // namespace orvane::tool
