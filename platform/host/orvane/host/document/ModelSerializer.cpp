// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/document/ModelSerializer.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/core/ModelDatabase.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"

#include <cstring>

namespace orvane {

namespace {

void escapeInto(std::string& out, std::string_view s, bool attribute, bool& dropped) {
    for (unsigned char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (attribute) out += "&quot;";
            else out += '"';
            break;
        case '\n':
            if (attribute) out += "&#10;";
            else out += '\n';
            break;
        case '\t':
            if (attribute) out += "&#9;";
            else out += '\t';
            break;
        case '\r': out += "&#13;"; break;
        default:
            if (c < 0x20) {
                dropped = true;  // not representable in XML 1.0
            } else {
                out += static_cast<char>(c);
            }
        }
    }
}

bool holdsModels(const PropertyDefinition& pd) {
    auto* db = SuperModelDatabase::instance();
    return ValueType::isObject(pd.valueType) && (db->isModelType(pd.valueType) || pd.valueType == HostTypeId::BASE_MODEL);
}

bool carriesText(const ModelDefinition& def) {
    for (const auto& pd : def.properties) {
        if (pd.isTextContent()) return true;
        if (pd.isVector() && holdsModels(pd)) {
            const ModelDefinition& el = SuperModelDatabase::instance()->getModelDefinition(pd.valueType);
            for (const auto& e : el.properties)
                if (e.isTextContent()) return true;
        }
    }
    return false;
}

ModelDatabase* databaseOf(const BaseModel& m) {
    return SuperModelDatabase::instance()->getDatabaseForType(m.getWrapperTypeId());
}

} // namespace

std::string ModelSerializer::serialize(const std::shared_ptr<BaseModel>& root, int version) {
    warnings_.clear();
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<orvane version=\"" + std::to_string(version) + "\">\n";
    if (root) writeModel(out, *root, 1, false);
    out += "</orvane>\n";
    return out;
}

void ModelSerializer::writeModel(std::string& out, const BaseModel& model, int indent, bool compact) {
    const ModelDefinition& def = SuperModelDatabase::instance()->getModelDefinition(model.getWrapperTypeId());
    std::string pad = compact ? std::string() : std::string(static_cast<size_t>(indent) * 2, ' ');
    std::string nl = compact ? std::string() : std::string("\n");
    std::string cls = std::string(def.className.empty() ? "model" : def.className);
    if (def.isEmpty()) {
        warnings_.push_back(cls + ": model type " + std::to_string(model.getWrapperTypeId()) + " is not in any model database");
        return;
    }
    ModelDatabase* db = databaseOf(model);
    const bool inner = compact || carriesText(def);
    std::string attrs, body, text;
    bool dropped = false;
    for (AbstractProperty* p : model.getProperties()) {
        const PropertyDefinition& pd = p->getDefinition();
        if (!p->hasValue()) continue;
        std::string where = cls + "." + std::string(pd.name);
        if (pd.isWeak() || pd.isParentLink()) continue;
        if (pd.isTextContent()) {
            if (auto s = p->getStringGenerically()) escapeInto(text, *s, false, dropped);
            continue;
        }
        if (PropertyTextCodec::isTextual(*p)) {
            std::string v;
            if (!PropertyTextCodec::toText(*p, db, v)) {
                if (pd.valueType == ValueType::STRING) continue;  // null string: nothing to write
                warnings_.push_back(where + ": value has no text form");
                continue;
            }
            attrs += ' ';
            attrs += pd.name;
            attrs += "=\"";
            escapeInto(attrs, v, true, dropped);
            attrs += '"';
            continue;
        }
        std::string childPad = inner ? std::string() : std::string(static_cast<size_t>(indent + 1) * 2, ' ');
        if (holdsModels(pd)) {
            if (pd.isVector()) {
                std::string items;
                bool any = false;
                p->visitElementsGenerically([&](const void* e) {
                    auto& w = *static_cast<const std::shared_ptr<Wrappable>*>(e);
                    auto* m = dynamic_cast<const BaseModel*>(w.get());
                    if (!m) return;
                    any = true;
                    writeModel(items, *m, indent + 2, inner);
                });
                body += childPad + "<" + std::string(pd.name) + ">" + (any ? (inner ? "" : "\n") : "");
                body += items;
                body += (any ? childPad : "") + "</" + std::string(pd.name) + ">" + (inner ? "" : "\n");
            } else {
                auto w = p->getObjectGenerically();
                auto* m = dynamic_cast<const BaseModel*>(w.get());
                if (!m) continue;
                body += childPad + "<" + std::string(pd.name) + ">" + (inner ? "" : "\n");
                writeModel(body, *m, indent + 2, inner);
                body += childPad + "</" + std::string(pd.name) + ">" + (inner ? "" : "\n");
            }
            continue;
        }
        // Host objects and lists of values with a text form.
        if (pd.isVector()) {
            std::string items;
            bool ok = true;
            p->visitElementsGenerically([&](const void* e) {
                std::string t;
                if (!PropertyTextCodec::elementToText(pd.valueType, e, t)) {
                    ok = false;
                    return;
                }
                items += "<item>";
                escapeInto(items, t, false, dropped);
                items += "</item>";
            });
            if (!ok) {
                warnings_.push_back(where + ": list elements have no text form");
                continue;
            }
            body += childPad + "<" + std::string(pd.name) + ">" + items + "</" + std::string(pd.name) + ">" +
                    (inner ? "" : "\n");
            continue;
        }
        auto obj = p->getObjectGenerically();
        std::string t;
        if (!obj) continue;
        if (PropertyTextCodec::hasObjectAssembler(pd.valueType)) {
            std::vector<std::shared_ptr<BaseModel>> parts;
            if (!PropertyTextCodec::objectToModels(pd.valueType, *obj, parts)) {
                warnings_.push_back(where + ": object could not be written");
                continue;
            }
            body += childPad + "<" + std::string(pd.name) + ">" + (parts.empty() || inner ? "" : "\n");
            for (auto& m : parts)
                if (m) writeModel(body, *m, indent + 2, inner);
            body += (parts.empty() ? "" : childPad) + "</" + std::string(pd.name) + ">" + (inner ? "" : "\n");
            continue;
        }
        if (!PropertyTextCodec::objectToText(pd.valueType, *obj, t)) {
            warnings_.push_back(where + ": " + PropertyTextCodec::typeName(pd.valueType) + " has no text form");
            continue;
        }
        body += childPad + "<" + std::string(pd.name) + ">";
        escapeInto(body, t, false, dropped);
        body += "</" + std::string(pd.name) + ">" + (inner ? "" : "\n");
    }
    if (dropped) warnings_.push_back(cls + ": control characters cannot be written and were dropped");
    std::string el(def.elementName);
    out += pad + "<" + el + attrs;
    if (text.empty() && body.empty()) {
        out += "/>" + nl;
        return;
    }
    out += ">";
    if (inner) {
        out += text + body;
        out += "</" + el + ">" + nl;
    } else {
        out += text + "\n" + body + pad + "</" + el + ">\n";
    }
}

// ---------------------------------------------------------------- comparison

namespace {
bool compareModels(const BaseModel& a, const BaseModel& b, const std::string& path, std::string* diff, int depth);

bool compareValues(const AbstractProperty& pa, const AbstractProperty& pb, const std::string& path, std::string* diff,
                   int depth) {
    const PropertyDefinition& pd = pa.getDefinition();
    auto report = [&](const std::string& what) {
        if (diff) *diff = path + ": " + what;
        return false;
    };
    if (pd.isWeak() || pd.isParentLink()) return true;
    if (pd.isVector()) {
        if (pa.getVectorSizeGenerically() != pb.getVectorSizeGenerically()) return report("list sizes differ");
        std::vector<std::string> ta, tb;
        std::vector<std::shared_ptr<Wrappable>> oa, ob;
        bool objects = ValueType::isObject(pd.valueType);
        auto collect = [&](const AbstractProperty& p, std::vector<std::string>& texts,
                           std::vector<std::shared_ptr<Wrappable>>& objs) {
            p.visitElementsGenerically([&](const void* e) {
                if (objects) {
                    objs.push_back(*static_cast<const std::shared_ptr<Wrappable>*>(e));
                } else {
                    std::string t;
                    PropertyTextCodec::elementToText(pd.valueType, e, t);
                    texts.push_back(t);
                }
            });
        };
        collect(pa, ta, oa);
        collect(pb, tb, ob);
        if (ta != tb) return report("list values differ");
        for (size_t i = 0; i < oa.size(); ++i) {
            auto* ma = dynamic_cast<const BaseModel*>(oa[i].get());
            auto* mb = dynamic_cast<const BaseModel*>(ob[i].get());
            std::string sub = path + "[" + std::to_string(i) + "]";
            if (ma && mb) {
                if (!compareModels(*ma, *mb, sub, diff, depth + 1)) return false;
            } else if (oa[i] != ob[i]) {
                std::string x, y;
                if (!(oa[i] && ob[i] && PropertyTextCodec::objectToText(pd.valueType, *oa[i], x) &&
                      PropertyTextCodec::objectToText(pd.valueType, *ob[i], y) && x == y))
                    return report("list element " + std::to_string(i) + " differs");
            }
        }
        return true;
    }
    if (PropertyTextCodec::isTextual(pa) || pd.isTextContent()) {
        std::string x, y;
        auto* dba = SuperModelDatabase::instance()->getDatabaseForType(
            dynamic_cast<const BaseModel*>(pa.getOwner()) ? dynamic_cast<const BaseModel*>(pa.getOwner())->getWrapperTypeId() : 0);
        bool hx = PropertyTextCodec::toText(pa, dba, x);
        bool hy = PropertyTextCodec::toText(pb, dba, y);
        if (hx != hy || x != y) return report("\"" + x + "\" vs \"" + y + "\"");
        return true;
    }
    auto oa = pa.getObjectGenerically();
    auto ob = pb.getObjectGenerically();
    if (!oa || !ob) return (oa == ob) || report("one side is empty");
    auto* ma = dynamic_cast<const BaseModel*>(oa.get());
    auto* mb = dynamic_cast<const BaseModel*>(ob.get());
    if (ma && mb) return compareModels(*ma, *mb, path, diff, depth + 1);
    if (oa == ob) return true;
    if (PropertyTextCodec::hasObjectAssembler(pd.valueType)) {
        std::vector<std::shared_ptr<BaseModel>> xa, xb;
        PropertyTextCodec::objectToModels(pd.valueType, *oa, xa);
        PropertyTextCodec::objectToModels(pd.valueType, *ob, xb);
        if (xa.size() != xb.size()) return report("object parts differ");
        for (size_t i = 0; i < xa.size(); ++i)
            if (!(xa[i] && xb[i] && compareModels(*xa[i], *xb[i], path + "[" + std::to_string(i) + "]", diff, depth + 1)))
                return false;
        return true;
    }
    std::string x, y;
    if (PropertyTextCodec::objectToText(pd.valueType, *oa, x) && PropertyTextCodec::objectToText(pd.valueType, *ob, y) &&
        x == y)
        return true;
    return report("objects differ");
}

bool compareModels(const BaseModel& a, const BaseModel& b, const std::string& path, std::string* diff, int depth) {
    if (depth > 1000) {
        if (diff) *diff = path + ": tree too deep";
        return false;
    }
    if (a.getWrapperTypeId() != b.getWrapperTypeId()) {
        if (diff) *diff = path + ": model types differ";
        return false;
    }
    const auto& pa = a.getProperties();
    const auto& pb = b.getProperties();
    if (pa.size() != pb.size()) {
        if (diff) *diff = path + ": property counts differ";
        return false;
    }
    for (size_t i = 0; i < pa.size(); ++i) {
        std::string sub = path + "." + std::string(pa[i]->getName());
        const PropertyDefinition& pd = pa[i]->getDefinition();
        if (pd.isWeak() || pd.isParentLink()) continue;
        if (pa[i]->hasValue() != pb[i]->hasValue()) {
            if (diff) *diff = sub + ": set on one side only";
            return false;
        }
        if (!pa[i]->hasValue()) continue;
        if (!compareValues(*pa[i], *pb[i], sub, diff, depth)) return false;
    }
    return true;
}
} // namespace

bool ModelTreeComparison::equal(const std::shared_ptr<BaseModel>& a, const std::shared_ptr<BaseModel>& b,
                                std::string* difference) {
    if (!a || !b) {
        if (a != b && difference) *difference = "one tree is empty";
        return a == b;
    }
    const ModelDefinition& def = SuperModelDatabase::instance()->getModelDefinition(a->getWrapperTypeId());
    return compareModels(*a, *b, std::string(def.className), difference, 0);
}

} // namespace orvane
