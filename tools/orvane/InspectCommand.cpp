// orvane inspect [--xml] FILE: reads a model document and prints its tree, or
// writes it back as a document. With --data, a data file (InspectDataCommand).
#include "Command.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/document/ModelSerializer.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"
#include "orvane/package/OrvaneUIDeserializer.h"

#include <cstdio>
#include <iostream>

namespace orvane::tool {

int inspectData(const std::vector<std::string>& args);
int inspectCrosstab(const std::vector<std::string>& args);

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
    for (const auto& a : args)
        if (a == "--data") return inspectData(args);
        else if (a == "--crosstab") return inspectCrosstab(args);
    bool xml = false;
    std::string file;
    for (const auto& a : args) {
        if (a == "--xml")
            xml = true;
        else if (!a.empty() && a[0] == '-')
            return fail("inspect: unknown option " + a);
        else if (file.empty())
            file = a;
        else
            return fail("inspect: only one file can be inspected at a time");
    }
    if (file.empty()) return fail("inspect: no file given (usage: orvane inspect [--xml] FILE)");
    auto reader = OrvaneUIDeserializer::create();
    auto model = reader->deserializeFile(file);
    if (!model) return fail(reader->getLastError().toString());
    if (xml) {
        ModelSerializer writer;
        std::cout << writer.serialize(model, reader->getLastVersion());
        for (const auto& w : writer.getWarnings()) std::fprintf(stderr, "orvane: warning: %s\n", w.c_str());
        return 0;
    }
    std::cout << file << " (format version " << reader->getLastVersion() << ")\n";
    printModel(*model, 0);
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND("inspect", "[--xml] FILE | --data FILE.csv [--columns META.csv] [--rows N]",
                    "print the model tree of a model document (or write it back as XML), or the typed columns "
                    "and first rows of a data file",
                    &inspect);

} // namespace orvane::tool
