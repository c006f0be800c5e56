// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/document/OneParser.h"

#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/BaseModel.h"
#include "orvane/host/core/ModelDatabase.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/core/SuperModelDatabase.h"

#include <expat.h>

#include <cctype>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

namespace {

constexpr size_t kMaxDepth = 512;
constexpr const char* kWrapperElement = "orvane";

// The name or alias of a property definition that equals `name` (text that
// lives as long as the definition), or `name` itself.
std::string_view stableNameOf(const PropertyDefinition& pd, std::string_view name) {
    if (pd.name == name) return pd.name;
    for (const auto& a : pd.aliases)
        if (a.alias == name) return a.alias;
    return name;
}

bool isBlank(std::string_view s) {
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

// Reads one document with expat, keeping a stack of frames.
class DocumentReader {
public:
    DocumentReader(OneParser& parser, const std::string& source, ParseError& error)
        : parser_(parser), db_(parser.getDatabase() ? parser.getDatabase() : SuperModelDatabase::instance()),
          error_(error) {
        error_ = ParseError{};
        error_.source = source;
    }

    std::shared_ptr<BaseModel> read(std::string_view text) {
        context_ = parser_.createParserContext();
        if (auto mgr = parser_.getContextManager(); mgr && context_) mgr->addContext(context_);

        xml_ = XML_ParserCreate("UTF-8");
        if (!xml_) return fail(0, 0, "out of memory");
        XML_SetUserData(xml_, this);
        XML_SetElementHandler(xml_, &DocumentReader::onStart, &DocumentReader::onEnd);
        XML_SetCharacterDataHandler(xml_, &DocumentReader::onText);
        // Bounded chunks keep int lengths valid for very large inputs.
        const char* p = text.data();
        size_t left = text.size();
        bool ok = true;
        do {
            int chunk = static_cast<int>(std::min<size_t>(left, 1 << 30));
            left -= static_cast<size_t>(chunk);
            if (XML_Parse(xml_, p, chunk, left == 0) != XML_STATUS_OK) {
                ok = false;
                break;
            }
            p += chunk;
        } while (left > 0);
        if (!ok && !error_.isSet()) {
            error_.line = static_cast<int>(XML_GetCurrentLineNumber(xml_));
            error_.column = static_cast<int>(XML_GetCurrentColumnNumber(xml_)) + 1;
            error_.message = std::string("malformed markup: ") + XML_ErrorString(XML_GetErrorCode(xml_));
        }
        XML_ParserFree(xml_);
        xml_ = nullptr;
        if (error_.isSet()) return nullptr;
        if (!root_) return fail(1, 1, "the document holds no model");
        return root_;
    }

private:
    enum class Kind { Wrapper, Model, Property, Item };
    using Properties = decltype(std::declval<const BaseModel&>().getProperties());
    // What the reader looks up on every model of a type, found once from the
    // first model of that type read (models of one type list the same
    // properties in the same order): property positions by name or alias,
    // the text-content, parent-link and format-name properties, and the
    // property that takes each type of child model.
    struct TypeLayout {
        // Found once per type id, before the first model of the type exists.
        const ModelDefinition* def = nullptr;
        ModelDatabase* database = nullptr;   // the database that defines and creates the type
        // Learned from the first model of the type.
        bool learned = false;
        size_t count = 0;
        std::unordered_map<std::string_view, uint32_t> byName;   // the first property of that name or alias
        // Models of one type usually write their attributes in the same
        // order: the name met at each attribute position of the latest model
        // (a definition's name or alias) and its property's position, tried
        // before the index.
        mutable std::vector<std::pair<std::string_view, uint32_t>> recentAttributes;
        int text = -1;
        std::vector<uint32_t> parentLinks;
        std::vector<uint32_t> formatNames;
        mutable std::unordered_map<int, int> holders;   // child type id -> property position, -1 for none
    };
    struct Frame {
        // `stable` is text that outlives the read (a definition's name or
        // alias); other names are copied.
        Frame(Kind k, std::string_view n, std::string_view stable) : kind(k) {
            if (n == stable)
                name = stable;
            else
                ownedName.assign(n);
        }
        Kind kind;
        std::string_view name;   // the element name when it is stable text
        std::string ownedName;   // else a copy of it
        std::string label() const { return ownedName.empty() ? std::string(name) : ownedName; }
        std::shared_ptr<BaseModel> model;          // Model
        Properties props;                          // Model: the model's properties, asked for once
        const ModelDefinition* def = nullptr;      // Model
        const TypeLayout* layout = nullptr;        // Model (and Property: the owner's)
        ModelDatabase* database = nullptr;         // Model: the database of the model type
        AbstractProperty* textProperty = nullptr;  // Model: text-content property
        AbstractProperty* property = nullptr;      // Property, Item
        ModelDatabase* ownerDatabase = nullptr;    // Property, Item
        std::string pending;                       // text not yet placed
        std::vector<std::shared_ptr<BaseModel>> assembled;  // Property: models of an assembled object
        AbstractProperty* attachTo = nullptr;      // Model: the parent property that takes it
        ModelDatabase* attachDatabase = nullptr;   // Model: the database of the parent model
        int typeId = 0;                            // Model
        std::string text;                          // Model: text content collected
        bool sawText = false;
        int children = 0;
    };

    OneParser& parser_;
    SuperModelDatabase* db_;
    ParseError& error_;
    XML_Parser xml_ = nullptr;
    std::vector<Frame> stack_;
    std::shared_ptr<BaseModel> root_;
    std::shared_ptr<OneParserContext> context_;
    std::unordered_map<int, TypeLayout> layouts_;

    // The type's entry, with its definition and database found on first use.
    TypeLayout& typeOf(int typeId) {
        auto [it, added] = layouts_.try_emplace(typeId);
        TypeLayout& l = it->second;
        if (added) {
            l.def = &db_->getModelDefinition(typeId);
            l.database = db_->getDatabaseForType(typeId);
        }
        return l;
    }

    const TypeLayout& layoutOf(int typeId, const BaseModel& model) { return learn(typeOf(typeId), model.getProperties()); }

    const TypeLayout& learn(TypeLayout& l, const Properties& props) {
        if (l.learned) return l;
        l.learned = true;
        l.count = props.size();
        for (uint32_t i = 0; i < props.size(); ++i) {
            const PropertyDefinition& pd = props[i]->getDefinition();
            l.byName.emplace(pd.name, i);
            for (const auto& a : pd.aliases) l.byName.emplace(a.alias, i);
            if (pd.isTextContent() && l.text < 0) l.text = static_cast<int>(i);
            if (pd.isParentLink()) l.parentLinks.push_back(i);
            const std::string_view n = pd.name;
            if (pd.valueType == ValueType::STRING && n.size() >= 10 &&
                (n.substr(n.size() - 10) == "FormatName" || n.substr(n.size() - 10) == "formatName"))
                l.formatNames.push_back(i);
        }
        return l;
    }

    // The model's property at a position of its type's layout; null when the
    // model does not follow the layout.
    static AbstractProperty* at(const Properties& props, const TypeLayout* l, uint32_t i) {
        return l && props.size() == l->count && i < props.size() ? props[i] : nullptr;
    }

    // The property named by the attribute at `position` of a model frame.
    AbstractProperty* attributeNamed(const Frame& f, size_t position, std::string_view name) const {
        const TypeLayout* l = f.layout;
        if (!l || f.props.size() != l->count) return f.model->getProperty(name);
        auto& recent = l->recentAttributes;
        if (position < recent.size() && recent[position].first == name) {
            AbstractProperty* p = f.props[recent[position].second];
            if (p->getDefinition().matchesName(name)) return p;
        }
        auto it = l->byName.find(name);
        if (it == l->byName.end()) return nullptr;
        AbstractProperty* p = f.props[it->second];
        if (!p->getDefinition().matchesName(name)) return f.model->getProperty(name);
        if (position < 64) {  // bounds the memory a pathological element could make it hold
            if (position >= recent.size()) recent.resize(position + 1);
            recent[position] = {it->first, it->second};
        }
        return p;
    }

    // The property of a model frame with that name or alias.
    AbstractProperty* propertyNamed(const Frame& f, std::string_view name) const {
        if (f.layout && f.props.size() == f.layout->count) {
            auto it = f.layout->byName.find(name);
            if (it == f.layout->byName.end()) return nullptr;
            AbstractProperty* p = f.props[it->second];
            if (p->getDefinition().matchesName(name)) return p;
        }
        return f.model->getProperty(name);
    }

    std::shared_ptr<BaseModel> fail(int line, int column, const std::string& message) {
        if (!error_.isSet()) {
            error_.line = line;
            error_.column = column;
            error_.message = message;
        }
        return nullptr;
    }

    void stop(const std::string& message) {
        if (!error_.isSet()) {
            error_.line = xml_ ? static_cast<int>(XML_GetCurrentLineNumber(xml_)) : 0;
            error_.column = xml_ ? static_cast<int>(XML_GetCurrentColumnNumber(xml_)) + 1 : 0;
            error_.message = message;
        }
        if (xml_) XML_StopParser(xml_, XML_FALSE);
    }

    static void XMLCALL onStart(void* ud, const XML_Char* name, const XML_Char** atts) {
        static_cast<DocumentReader*>(ud)->start(name, atts);
    }
    static void XMLCALL onEnd(void* ud, const XML_Char* name) { static_cast<DocumentReader*>(ud)->end(name); }
    static void XMLCALL onText(void* ud, const XML_Char* s, int len) {
        auto* r = static_cast<DocumentReader*>(ud);
        if (r->error_.isSet() || r->stack_.empty()) return;
        r->stack_.back().pending.append(s, static_cast<size_t>(len));
    }

    // The property of `holder` that can take a model of `typeId`.
    AbstractProperty* holderFor(const Frame& holder, int typeId) {
        if (holder.layout && holder.props.size() == holder.layout->count) {
            auto [it, added] = holder.layout->holders.try_emplace(typeId, -1);
            if (added) {
                AbstractProperty* found = findHolder(holder, typeId);
                for (uint32_t i = 0; found && i < holder.props.size(); ++i)
                    if (holder.props[i] == found) it->second = static_cast<int>(i);
            }
            return it->second < 0 ? nullptr : holder.props[static_cast<uint32_t>(it->second)];
        }
        return findHolder(holder, typeId);
    }
    AbstractProperty* findHolder(const Frame& holder, int typeId) {
        const ModelDefinition& child = db_->getModelDefinition(typeId);
        for (AbstractProperty* p : holder.model->getProperties()) {
            const PropertyDefinition& pd = p->getDefinition();
            if (pd.isWeak() || !ValueType::isObject(pd.valueType)) continue;
            if (!db_->isModelType(pd.valueType) && pd.valueType != HostTypeId::BASE_MODEL) continue;
            if (child.isKindOf(pd.valueType)) return p;
        }
        return nullptr;
    }

    // The model type that carries bare text inside `holder` (a type with a
    // text-content property that one of the holder's properties can take).
    int textModelFor(const Frame& holder, AbstractProperty** into) {
        for (AbstractProperty* p : holder.model->getProperties()) {
            const PropertyDefinition& pd = p->getDefinition();
            if (pd.isWeak() || !pd.isVector() || !db_->isModelType(pd.valueType)) continue;
            const ModelDefinition& el = db_->getModelDefinition(pd.valueType);
            for (const auto& epd : el.properties)
                if (epd.isTextContent()) {
                    *into = p;
                    return pd.valueType;
                }
        }
        return 0;
    }

    bool attach(AbstractProperty* property, ModelDatabase* ownerDb, const std::shared_ptr<BaseModel>& model,
                int typeId) {
        bool append = property->getDefinition().isVector();
        ModelDatabase* d = ownerDb ? ownerDb : db_->getDatabaseForType(typeId);
        bool ok = d && d->setModelProperty(*property, model, typeId, append);
        if (!ok && !append) ok = property->setObjectGenerically(model);
        return ok;
    }

    // Back-link a model to its enclosing model when it has a parent-link property.
    void linkParent(const std::shared_ptr<BaseModel>& model, const TypeLayout* layout, const Frame* parentModelFrame) {
        if (!parentModelFrame) return;
        linkParent(model->getProperties(), layout, parentModelFrame);
    }
    void linkParent(const Properties& props, const TypeLayout* layout, const Frame* parentModelFrame) {
        if (!parentModelFrame) return;
        if (layout && props.size() == layout->count) {
            for (uint32_t i : layout->parentLinks) {
                AbstractProperty* p = props[i];
                if (parentModelFrame->def->isKindOf(p->getDefinition().valueType)) {
                    p->setObjectGenerically(parentModelFrame->model);
                    return;
                }
            }
            return;
        }
        for (AbstractProperty* p : props) {
            const PropertyDefinition& pd = p->getDefinition();
            if (pd.isParentLink() && parentModelFrame->def->isKindOf(pd.valueType)) {
                p->setObjectGenerically(parentModelFrame->model);
                return;
            }
        }
    }

    Frame* nearestModelFrame() {
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
            if (it->kind == Kind::Model) return &*it;
        return nullptr;
    }

    void flushModelText(Frame& f) {
        if (f.pending.empty()) return;
        std::string s;
        s.swap(f.pending);
        if (isBlank(s) && (s.find('\n') != std::string::npos || s.empty())) return;
        if (f.textProperty && f.children == 0) {
            f.text += s;
            f.sawText = true;
            return;
        }
        AbstractProperty* into = nullptr;
        int textType = textModelFor(f, &into);
        if (!textType) {
            if (!isBlank(s)) stop("text is not allowed inside <" + f.label() + ">");
            return;
        }
        auto tm = db_->createModel(textType);
        if (!tm) return stop("cannot create a text model inside <" + f.label() + ">");
        for (AbstractProperty* p : tm->getProperties())
            if (p->getDefinition().isTextContent()) {
                p->setStringGenerically(std::make_shared<const std::string>(std::move(s)));
                break;
            }
        if (f.def) {
            Frame* self = &f;
            linkParent(tm, &layoutOf(textType, *tm), self);
        }
        if (!attach(into, f.database, tm, textType)) stop("cannot place text inside <" + f.label() + ">");
        ++f.children;
    }

    void start(const XML_Char* rawName, const XML_Char** atts) {
        if (error_.isSet()) return;
        const std::string_view name(rawName);
        if (stack_.size() >= kMaxDepth) return stop("elements are nested too deeply");
        if (!stack_.empty() && stack_.back().kind == Kind::Model) flushModelText(stack_.back());
        if (error_.isSet()) return;

        // Document wrapper.
        if (stack_.empty() && name == kWrapperElement) {
            for (const XML_Char** a = atts; a && *a; a += 2) {
                std::string k = a[0];
                if (k == "version") {
                    int v;
                    if (!PropertyTextCodec::parseInt(a[1], v)) return stop("version must be an integer");
                } else if (k.rfind("xmlns", 0) != 0) {
                    return stop("unknown attribute \"" + std::string(k) + "\" of <orvane>");
                }
            }
            stack_.push_back(Frame(Kind::Wrapper, name, kWrapperElement));
            return;
        }

        Frame* top = stack_.empty() ? nullptr : &stack_.back();

        // A property element inside a model.
        if (top && top->kind == Kind::Model) {
            if (AbstractProperty* p = propertyNamed(*top, name)) {
                if (atts && *atts) return stop("property element <" + std::string(name) + "> takes no attributes");
                const size_t owner = stack_.size() - 1;
                Frame& f = stack_.emplace_back(Kind::Property, name, stableNameOf(p->getDefinition(), name));
                const Frame& t = stack_[owner];
                f.property = p;
                f.ownerDatabase = t.database;
                f.model = t.model;
                f.def = t.def;
                f.layout = t.layout;
                return;
            }
        }

        // A list item inside a property element.
        if (top && top->kind == Kind::Property && name == "item") {
            const PropertyDefinition& pd = top->property->getDefinition();
            if (!pd.isVector() || db_->isModelType(pd.valueType))
                return stop("<item> is only allowed in lists of values, not in <" + top->label() + ">");
            if (atts && *atts) return stop("<item> takes no attributes");
            Frame f(Kind::Item, name, "item");
            f.property = top->property;
            stack_.push_back(std::move(f));
            return;
        }
        if (top && top->kind == Kind::Item) return stop("<item> cannot contain elements");

        // A model element.
        int typeId = db_->getTypeIdForElementName(name);
        if (!typeId) {
            if (top && top->kind == Kind::Model)
                return stop("unknown element <" + std::string(name) + "> inside <" + top->label() + ">: not a model and not a property");
            return stop("unknown element <" + std::string(name) + ">");
        }
        if (top && top->kind == Kind::Wrapper && top->children > 0)
            return stop("a document holds one root model");
        TypeLayout& type = typeOf(typeId);
        auto model = type.database ? type.database->createModel(typeId) : nullptr;
        if (!model) return stop("<" + std::string(name) + "> names a model that cannot be created");
        // The frame is built in place. After an error the parse stops and
        // nothing reads the stack again, so a frame left unfinished is harmless.
        const size_t topIndex = top ? stack_.size() - 1 : 0;
        Frame& f = stack_.emplace_back(Kind::Model, name, type.def->elementName);
        if (top) top = &stack_[topIndex];
        f.model = model;
        f.props = model->getProperties();
        f.def = type.def;
        f.database = type.database;
        f.layout = &learn(type, f.props);
        if (f.layout->text >= 0) f.textProperty = at(f.props, f.layout, static_cast<uint32_t>(f.layout->text));

        size_t position = 0;
        for (const XML_Char** a = atts; a && *a; a += 2, ++position) {
            const std::string_view k(a[0]);
            if (!k.empty() && k[0] == 'x' && k.starts_with("xmlns")) continue;  // the first byte decides for almost every name
            AbstractProperty* p = attributeNamed(f, position, k);
            if (!p) return stop("unknown attribute \"" + std::string(k) + "\" of <" + std::string(name) + ">");
            if (p->getDefinition().isTextContent()) {
                p->setStringGenerically(std::make_shared<const std::string>(a[1]));
                continue;
            }
            if (!PropertyTextCodec::isTextual(*p))
                return stop("\"" + std::string(k) + "\" of <" + std::string(name) + "> must be written as an element");
            std::string err;
            if (!PropertyTextCodec::setFromText(*p, a[1], f.database, err))
                return stop("attribute \"" + std::string(k) + "\" of <" + std::string(name) + ">: " + err);
        }
        // The placement is checked here and done at the end tag: a model is
        // built while it has no parent, so none of its sets finds listeners
        // above it and no events are built. End tags come in document order,
        // so lists keep it.
        f.typeId = typeId;
        if (!top || top->kind == Kind::Wrapper) {
            if (top) ++top->children;
            root_ = model;
        } else if (top->kind == Kind::Model) {
            AbstractProperty* holder = holderFor(*top, typeId);
            if (!holder) return stop("<" + std::string(name) + "> is not allowed inside <" + top->label() + ">");
            linkParent(f.props, f.layout, top);
            f.attachTo = holder;
            f.attachDatabase = top->database;
            ++top->children;
        } else if (top->kind == Kind::Property &&
                   PropertyTextCodec::hasObjectAssembler(top->property->getDefinition().valueType)) {
            top->assembled.push_back(model);
            ++top->children;
        } else if (top->kind == Kind::Property) {
            AbstractProperty* holder = top->property;
            const PropertyDefinition& pd = holder->getDefinition();
            if (!ValueType::isObject(pd.valueType) || pd.isWeak() ||
                !(db_->isModelType(pd.valueType) || pd.valueType == HostTypeId::BASE_MODEL) ||
                !f.def->isKindOf(pd.valueType))
                return stop("<" + std::string(name) + "> cannot be placed in " + std::string(pd.name));
            if (!pd.isVector() && top->children > 0)
                return stop(std::string(pd.name) + " holds one model");
            Frame* owner = nullptr;
            for (auto it = stack_.rbegin() + 2; it != stack_.rend(); ++it)  // below the new frame and its property
                if (it->kind == Kind::Model) {
                    owner = &*it;
                    break;
                }
            linkParent(f.props, f.layout, owner);
            f.attachTo = holder;
            f.attachDatabase = top->ownerDatabase;
            ++top->children;
        }
    }

    void end(const XML_Char*) {
        if (error_.isSet() || stack_.empty()) return;
        Frame& f = stack_.back();
        switch (f.kind) {
        case Kind::Wrapper: break;
        case Kind::Model: {
            flushModelText(f);
            if (error_.isSet()) return;
            if (f.textProperty && f.sawText)
                f.textProperty->setStringGenerically(std::make_shared<const std::string>(std::move(f.text)));
            reportFormatNames(f);
            if (f.attachTo && !attach(f.attachTo, f.attachDatabase, f.model, f.typeId))
                return stop("<" + f.label() + "> cannot be placed in " + std::string(f.attachTo->getName()));
            break;
        }
        case Kind::Property: {
            const PropertyDefinition& pd = f.property->getDefinition();
            bool holdsModels = db_->isModelType(pd.valueType) || pd.valueType == HostTypeId::BASE_MODEL;
            if (!pd.isVector() && PropertyTextCodec::hasObjectAssembler(pd.valueType)) {
                if (!isBlank(f.pending)) return stop("text is not allowed inside <" + f.label() + ">");
                std::string err;
                auto obj = PropertyTextCodec::objectFromModels(pd.valueType, f.assembled, err);
                if (!obj) return stop("<" + f.label() + ">: " + err);
                if (!f.property->setObjectGenerically(obj)) return stop("<" + f.label() + "> does not accept this value");
                break;
            }
            if (holdsModels) {
                if (!isBlank(f.pending)) return stop("text is not allowed inside <" + f.label() + ">");
                if (pd.isVector() && f.children == 0) f.property->clearVectorGenerically();
                break;
            }
            if (pd.isVector()) {
                if (!isBlank(f.pending)) {
                    if (f.children > 0) return stop("<" + f.label() + "> mixes text and <item> elements");
                    std::string err;
                    if (!PropertyTextCodec::setFromText(*f.property, f.pending, f.ownerDatabase, err))
                        return stop("<" + f.label() + ">: " + err);
                } else if (f.children == 0) {
                    f.property->clearVectorGenerically();
                }
                break;
            }
            std::string err;
            if (!PropertyTextCodec::setFromText(*f.property, f.pending, f.ownerDatabase, err))
                return stop("<" + f.label() + ">: " + err);
            break;
        }
        case Kind::Item: {
            if (stack_.size() >= 2) {
                Frame& holder = stack_[stack_.size() - 2];
                if (holder.children == 0) holder.property->clearVectorGenerically();
                ++holder.children;
            }
            std::string err;
            if (!PropertyTextCodec::appendElementFromText(*f.property, f.pending, err))
                return stop("<item> of " + std::string(f.property->getName()) + ": " + err);
            break;
        }
        }
        stack_.pop_back();
    }

    void reportFormatNames(Frame& f) {
        if (!context_) return;
        std::shared_ptr<std::vector<std::string>> names;
        std::vector<AbstractProperty*> candidates;
        if (f.layout && f.props.size() == f.layout->count) {
            if (f.layout->formatNames.empty()) return;
            for (uint32_t i : f.layout->formatNames) candidates.push_back(f.props[i]);
        } else {
            candidates = f.props;
        }
        for (AbstractProperty* p : candidates) {
            std::string_view n = p->getName();
            if (p->getValueType() != ValueType::STRING || !p->hasValue()) continue;
            if (n.size() < 10 || (n.substr(n.size() - 10) != "FormatName" && n.substr(n.size() - 10) != "formatName"))
                continue;
            auto v = p->getStringGenerically();
            if (!v || v->empty()) continue;
            if (!names) names = std::make_shared<std::vector<std::string>>();
            names->push_back(*v);
        }
        if (names) context_->_disambiguateSuspiciousFormatNames(names, f.model);
    }
};

} // namespace

OneParser::OneParser(std::shared_ptr<ParserContextManager> contextManager, std::shared_ptr<BaseModel> model, int flags,
                     int version, SuperModelDatabase* database)
    : contextManager_(std::move(contextManager)), model_(std::move(model)), flags_(flags), version_(version),
      database_(database) {
    (void)flags_;
}

OneParser::~OneParser() = default;

std::shared_ptr<OneParserContext> OneParser::createParserContext() {
    return std::make_shared<OneParserContext>(std::make_shared<const std::string>("HostModelContext"));
}

std::shared_ptr<OneParser> OneParser::createChildParser(std::shared_ptr<ParserContextManager> contextManager,
                                                        std::shared_ptr<BaseModel> model, int flags, int version) {
    return std::make_shared<OneParser>(std::move(contextManager), std::move(model), flags, version, database_);
}

std::shared_ptr<BaseModel> OneParser::parseDocument(std::string_view text, const std::string& sourceName,
                                                    ParseError& error) {
    if (!contextManager_) contextManager_ = ParserContextManager::create();
    DocumentReader reader(*this, sourceName, error);
    return reader.read(text);
}

} // namespace orvane
