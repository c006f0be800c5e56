// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/document/AbstractDeserializer.h"

#include "orvane/host/core/BaseModel.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/core/ModelDatabase.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"

#include <expat.h>

namespace orvane {

namespace {
// The root element, its attributes, and (for the document wrapper) the first
// child element: enough to choose the parser. Stops after those.
struct RootScan {
    std::string root;
    ParserAttributes rootAttributes;
    std::string firstChild;
    int depth = 0;
    XML_Parser xml = nullptr;
    bool done = false;

    static void XMLCALL onStart(void* ud, const XML_Char* name, const XML_Char** atts) {
        auto* s = static_cast<RootScan*>(ud);
        if (s->depth == 0) {
            s->root = name;
            for (const XML_Char** a = atts; a && *a; a += 2) s->rootAttributes.emplace_back(a[0], a[1]);
            if (s->root != "orvane") {
                s->done = true;
                XML_StopParser(s->xml, XML_FALSE);
            }
        } else if (s->depth == 1 && s->firstChild.empty()) {
            s->firstChild = name;
            s->done = true;
            XML_StopParser(s->xml, XML_FALSE);
        }
        ++s->depth;
    }
    static void XMLCALL onEnd(void* ud, const XML_Char*) { --static_cast<RootScan*>(ud)->depth; }

    void scan(std::string_view text) {
        xml = XML_ParserCreate("UTF-8");
        if (!xml) return;
        XML_SetUserData(xml, this);
        XML_SetElementHandler(xml, &RootScan::onStart, &RootScan::onEnd);
        size_t n = std::min<size_t>(text.size(), 1 << 30);
        XML_Parse(xml, text.data(), static_cast<int>(n), n == text.size());
        XML_ParserFree(xml);
        xml = nullptr;
    }
};
} // namespace

AbstractDeserializer::AbstractDeserializer(std::shared_ptr<ParserLoader> loader,
                                           std::shared_ptr<const std::string> contextName)
    : loader_(std::move(loader)), contextName_(std::move(contextName)) {}

std::shared_ptr<BaseModel> AbstractDeserializer::deserialize(std::string_view text, bool) {
    lastError_ = ParseError{};
    lastError_.source = sourceName_;
    lastVersion_ = 0;

    RootScan scan;
    scan.scan(text);
    SuperModelDatabase* super = SuperModelDatabase::instance();
    std::shared_ptr<OneParser> parser;

    if (scan.root == "orvane") {
        for (auto& [k, v] : scan.rootAttributes)
            if (k == "version" && !PropertyTextCodec::parseInt(v, lastVersion_)) lastVersion_ = -1;
        if (lastVersion_ < 0) lastVersion_ = 0;  // reported by the reader
        int typeId = scan.firstChild.empty() ? 0 : super->getTypeIdForElementName(scan.firstChild);
        if (ModelDatabase* db = typeId ? super->getDatabaseForType(typeId) : nullptr) {
            if (auto f = db->getParserCreateFunction(lastVersion_)) parser = f();
        }
    } else if (!scan.root.empty() && loader_ && loader_->getPredicate() &&
               loader_->getPredicate()(scan.root, scan.rootAttributes)) {
        if (loader_->getFactory()) parser = loader_->getFactory()();
        lastVersion_ = loader_->getVersion();
    } else if (!scan.root.empty()) {
        int typeId = super->getTypeIdForElementName(scan.root);
        if (ModelDatabase* db = typeId ? super->getDatabaseForType(typeId) : nullptr) {
            if (auto f = db->getParserCreateFunction(0)) parser = f();
        }
    }
    if (!parser) parser = std::make_shared<OneParser>(ParserContextManager::create(), nullptr, 0, lastVersion_, super);
    return parser->parseDocument(text, sourceName_, lastError_);
}

std::shared_ptr<BaseModel> AbstractDeserializer::deserializeFile(const std::string& path) {
    std::string text;
    sourceName_ = path;
    if (!FileSystemManager::readFile(path, text)) {
        lastError_ = ParseError{path, 0, 0, "cannot read the file"};
        return nullptr;
    }
    return deserialize(text, true);
}

} // namespace orvane
