// SPDX-License-Identifier: Apache-2.0
// The report pre-pass: one SAX walk over a report file finds the <content>
// elements, the layout proxy each sits in (by its position in the
// proxy tree) and what they show, and blanks them out of the text, so that
// the rest is read by the model reader unchanged.
#include "orvane/report/ReportDocument.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/io/Image.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include <expat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cctype>
#include <filesystem>
#include <limits>
#include <map>

namespace orvane {

namespace {

constexpr size_t NO_CONTENT = std::numeric_limits<size_t>::max();

enum class Role { OTHER, PROXY, CHILDREN, CONTENT, LABEL, IMAGE };

struct Frame {
    Role role = Role::OTHER;
    std::string name;
    bool pathKnown = false;      // PROXY: the proxy has a place in the layout tree
    std::vector<size_t> path;    // PROXY
    size_t nextChild = 0;        // PROXY: index of the next child proxy
    bool hasContent = false;     // PROXY: a <content> was met
    size_t content = NO_CONTENT; // CONTENT, LABEL, IMAGE: index into the contents
    size_t start = 0;            // CONTENT: byte offset of the start tag
};

std::string collapseWhiteSpace(const std::string& s) {
    std::string out;
    bool space = false;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            space = !out.empty();
            continue;
        }
        if (space) out += ' ';
        space = false;
        out += c;
    }
    return out;
}

bool isBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

class Reader {
public:
    Reader(const std::string& path, const std::string& text) : path_(path), text_(text) {
        baseDir_ = std::filesystem::path(path).parent_path().string();
    }

    ReportDocument run() {
        ReportDocument doc;
        xml_ = XML_ParserCreate("UTF-8");
        if (!xml_) {
            doc.layoutText = text_;
            return doc;
        }
        XML_SetUserData(xml_, this);
        XML_SetElementHandler(xml_, &Reader::onStart, &Reader::onEnd);
        XML_SetCharacterDataHandler(xml_, &Reader::onText);
        bool ok = text_.size() <= static_cast<size_t>(std::numeric_limits<int>::max()) &&
                  XML_Parse(xml_, text_.data(), static_cast<int>(text_.size()), XML_TRUE) == XML_STATUS_OK;
        if (!ok) {
            // Not well-formed: said the way the model reader says it (which
            // would otherwise stop earlier, at the first <content>).
            doc.layoutText = text_;
            doc.errors.push_back(path_ + ":" + std::to_string(line()) + ":" + std::to_string(column()) +
                                 ": malformed markup: " + XML_ErrorString(XML_GetErrorCode(xml_)));
            XML_ParserFree(xml_);
            xml_ = nullptr;
            return doc;
        }
        XML_ParserFree(xml_);
        xml_ = nullptr;
        doc.layoutText = text_;
        for (const auto& [from, to] : blanks_)
            for (size_t i = from; i < to && i < doc.layoutText.size(); ++i)
                if (doc.layoutText[i] != '\n' && doc.layoutText[i] != '\r') doc.layoutText[i] = ' ';
        doc.contents = std::move(contents_);
        doc.errors = std::move(errors_);
        return doc;
    }

private:
    static void XMLCALL onStart(void* ud, const XML_Char* name, const XML_Char** atts) {
        static_cast<Reader*>(ud)->start(name, atts);
    }
    static void XMLCALL onEnd(void* ud, const XML_Char* name) { static_cast<Reader*>(ud)->end(name); }
    static void XMLCALL onText(void* ud, const XML_Char* s, int len) {
        static_cast<Reader*>(ud)->characters(std::string_view(s, static_cast<size_t>(len)));
    }

    int line() const { return static_cast<int>(XML_GetCurrentLineNumber(xml_)); }
    int column() const { return static_cast<int>(XML_GetCurrentColumnNumber(xml_)) + 1; }
    size_t byteIndex() const { return static_cast<size_t>(std::max<XML_Index>(0, XML_GetCurrentByteIndex(xml_))); }
    size_t byteCount() const { return static_cast<size_t>(std::max(0, XML_GetCurrentByteCount(xml_))); }

    void error(int line, int column, const std::string& message) {
        errors_.push_back(path_ + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message);
    }
    void error(const std::string& message) { error(line(), column(), message); }

    // Parses CSS declarations into a bundle; null (and an error) when any
    // declaration cannot be read.
    std::shared_ptr<AttributeBundle> style(const std::string& css, const std::string& where) {
        auto bundle = AttributeBundle::create();
        std::string problem;
        if (!CSSParser::parseDeclarations(css, *bundle, &problem)) {
            error("bad style in " + where + ": " + (problem.empty() ? "\"" + css + "\" cannot be read" : problem));
            return nullptr;
        }
        return bundle;
    }

    void start(const XML_Char* name, const XML_Char** atts) {
        const std::string element = name;
        if (richTextDepth_ > 0 || skipDepth_ > 0) {
            (richTextDepth_ > 0 ? richTextDepth_ : skipDepth_)++;
            return;
        }
        Frame* parent = stack_.empty() ? nullptr : &stack_.back();
        Frame f;
        f.name = element;
        if (parent && parent->role == Role::CONTENT) {
            startItem(*parent, element, atts);
            return;
        }
        if (parent && (parent->role == Role::LABEL || parent->role == Role::IMAGE)) {
            error("<" + parent->name + "> cannot hold elements (found <" + element + ">)");
            skipDepth_ = 1;
            return;
        }
        if (element == "content") {
            startContent(parent, f, atts);
        } else if (element == "LayoutProxy") {
            f.role = Role::PROXY;
            Frame* holder = parent;
            if (holder && holder->role == Role::CHILDREN && stack_.size() >= 2) holder = &stack_[stack_.size() - 2];
            if (holder && holder->role == Role::PROXY && (parent->role == Role::PROXY || parent->role == Role::CHILDREN)) {
                if (holder->pathKnown) {
                    f.pathKnown = true;
                    f.path = holder->path;
                    f.path.push_back(holder->nextChild++);
                }
            } else if (!rootSeen_ && (!parent || (stack_.size() == 1 && parent->name == "orvane"))) {
                rootSeen_ = true;
                f.pathKnown = true;
            }
        } else if (element == "children" && parent && parent->role == Role::PROXY) {
            f.role = Role::CHILDREN;
        }
        stack_.push_back(std::move(f));
    }

    void startContent(Frame* parent, Frame& f, const XML_Char** atts) {
        f.role = Role::CONTENT;
        f.start = byteIndex();
        if (!parent || parent->role != Role::PROXY || !parent->pathKnown) {
            error("<content> must sit directly inside a <LayoutProxy> of the layout tree");
        } else if (parent->hasContent) {
            error("a <LayoutProxy> holds at most one <content> element");
        } else {
            parent->hasContent = true;
            ReportContent c;
            c.line = line();
            c.column = column();
            c.path = parent->path;
            for (const XML_Char** a = atts; a && *a; a += 2) {
                std::string key = a[0];
                if (key == "panel") {
                    c.panel = style(a[1], "the panel");
                } else {
                    error("unknown attribute \"" + key + "\" on <content> (known: panel)");
                }
            }
            f.content = contents_.size();
            contents_.push_back(std::move(c));
        }
    }

    void startItem(Frame& content, const std::string& element, const XML_Char** atts) {
        Frame f;
        f.name = element;
        ReportContent* c = content.content == NO_CONTENT ? nullptr : &contents_[content.content];
        if (c && (c->kind != ReportContent::Kind::PANEL || content.hasContent)) {
            error("a <content> element holds one item (found <" + element + "> after <" +
                  (c->kind == ReportContent::Kind::PANEL ? std::string("another item") : ReportContent::kindName(c->kind)) +
                  ">)");
            c = nullptr;
        }
        content.hasContent = true;  // an item was met
        f.content = c ? content.content : NO_CONTENT;
        auto attributes = [&](std::initializer_list<const char*> known, auto&& take) {
            for (const XML_Char** a = atts; a && *a; a += 2) {
                std::string key = a[0];
                if (std::find_if(known.begin(), known.end(), [&](const char* k) { return key == k; }) == known.end()) {
                    std::string list;
                    for (const char* k : known) list += (list.empty() ? "" : ", ") + std::string(k);
                    error("unknown attribute \"" + key + "\" on <" + element + "> (known: " + list + ")");
                    continue;
                }
                take(key, std::string(a[1]));
            }
        };
        if (element == "label") {
            f.role = Role::LABEL;
            labelText_.clear();
            if (c) c->kind = ReportContent::Kind::LABEL;
            attributes({"style", "valign", "wrap"}, [&](const std::string& key, const std::string& value) {
                if (!c) return;
                if (key == "style") {
                    c->style = style(value, "<label>");
                } else if (key == "valign") {
                    if (value == "top") c->verticalAlignment = 0;
                    else if (value == "middle") c->verticalAlignment = 1;
                    else if (value == "bottom") c->verticalAlignment = 2;
                    else error("valign must be top, middle or bottom, not \"" + value + "\"");
                } else if (value == "true" || value == "false") {
                    c->wrap = value == "true";
                } else {
                    error("wrap must be true or false, not \"" + value + "\"");
                }
            });
            itemLine_ = line();
            itemColumn_ = column();
        } else if (element == "image") {
            f.role = Role::IMAGE;
            if (c) c->kind = ReportContent::Kind::IMAGE;
            std::string src;
            attributes({"src"}, [&](const std::string&, const std::string& value) { src = value; });
            if (c) {
                if (src.empty()) {
                    error("<image> needs a src attribute (a PNG file, relative to the report)");
                } else {
                    std::filesystem::path p(src);
                    c->imagePath = p.is_absolute() || baseDir_.empty() ? src : (std::filesystem::path(baseDir_) / p).string();
                    c->image = Image::readPNG(c->imagePath);
                    if (!c->image)
                        error("cannot read the image \"" + c->imagePath + "\" (a PNG file is needed)");
                }
            }
        } else if (element == "richtext") {
            if (c) c->kind = ReportContent::Kind::RICHTEXT;
            attributes({"style"}, [&](const std::string&, const std::string& value) {
                if (c) c->style = style(value, "<richtext>");
            });
            richTextContent_ = c ? content.content : NO_CONTENT;
            richTextStart_ = byteIndex() + byteCount();
            itemLine_ = line();
            itemColumn_ = column();
            richTextDepth_ = 1;
            return;
        } else if (element == "table") {
            // A table: the <DataGrid> model inside, its data from a CSV file.
            if (c) c->kind = ReportContent::Kind::TABLE;
            std::shared_ptr<AttributeBundle> styles[3];
            attributes({"data", "height", "style", "header-style", "total-style"},
                       [&](const std::string& key, const std::string& value) {
                if (!c) return;
                if (key == "data") {
                    std::filesystem::path p(value);
                    c->dataPath = p.is_absolute() || baseDir_.empty() ? value : (std::filesystem::path(baseDir_) / p).string();
                } else if (key == "height") {
                    char* end = nullptr;
                    float h = std::strtof(value.c_str(), &end);
                    if (!end || *end || !std::isfinite(h) || h <= 0.0f || h > 16384.0f)
                        error("height must be a number of pixels between 0 and 16384, not \"" + value + "\"");
                    else c->maxHeight = h;
                } else {
                    int i = key == "style" ? 0 : key == "header-style" ? 1 : 2;
                    styles[i] = style(value, "<table " + key + ">");
                }
            });
            if (c && c->dataPath.empty()) error("<table> needs a data attribute (a CSV file, relative to the report)");
            tableStyles_[0] = styles[0];
            tableStyles_[1] = styles[1];
            tableStyles_[2] = styles[2];
            richTextContent_ = c ? content.content : NO_CONTENT;
            richTextStart_ = byteIndex() + byteCount();
            itemLine_ = line();
            itemColumn_ = column();
            richTextDepth_ = 1;
            return;
        } else if (element == "crosstab") {
            f.role = Role::IMAGE;  // holds nothing
            startCrosstab(c, element, atts);
        } else if (element == "prompt") {
            f.role = Role::IMAGE;  // holds neither elements nor text
            startPrompt(c, atts);
        } else {
            error("unknown content kind <" + element + "> (expected label, image, richtext, table, crosstab or prompt)");
            if (c) c->kind = ReportContent::Kind::PANEL;
            skipDepth_ = 1;
            return;
        }
        stack_.push_back(std::move(f));
    }

    void end(const XML_Char*) {
        if (skipDepth_ > 0) {
            --skipDepth_;
            return;
        }
        if (richTextDepth_ > 0) {
            if (--richTextDepth_ == 0) endRichText(byteIndex());
            return;
        }
        if (stack_.empty()) return;
        Frame f = std::move(stack_.back());
        stack_.pop_back();
        if (f.role == Role::CONTENT) {
            size_t to = std::max(f.start, byteIndex() + byteCount());
            blanks_.emplace_back(f.start, to);
        } else if (f.role == Role::LABEL && f.content != NO_CONTENT) {
            auto& c = contents_[f.content];
            if (c.kind == ReportContent::Kind::LABEL) {
                c.text = collapseWhiteSpace(labelText_);
                if (c.text.empty()) error(itemLine_, itemColumn_, "<label> needs a text");
            }
        }
    }

    void characters(std::string_view s) {
        if (skipDepth_ > 0 || richTextDepth_ > 0 || stack_.empty()) return;
        const Frame& top = stack_.back();
        if (top.role == Role::LABEL) {
            labelText_.append(s);
        } else if ((top.role == Role::CONTENT || top.role == Role::IMAGE) && !isBlank(s) && !textReported_) {
            textReported_ = true;
            error(top.role == Role::CONTENT ? "text inside <content> must be inside a <label>"
                                            : "<" + top.name + "> cannot hold text");
        }
    }

    // A prompt: a kind, a data file and the column it picks values of.
    void startPrompt(ReportContent* c, const XML_Char** atts) {
        if (c) c->kind = ReportContent::Kind::PROMPT;
        ReportPrompt::Settings settings;
        std::string kind, data;
        bool kindKnown = false;
        for (const XML_Char** a = atts; a && *a; a += 2) {
            const std::string key = a[0], value = a[1];
            if (key == "kind") {
                kind = value;
                kindKnown = ReportPrompt::parseKind(value, settings.kind);
                if (!kindKnown)
                    error("kind must be list, radio, dropdown, buttons, slider, range or text, not \"" + value + "\"");
            } else if (key == "data") {
                std::filesystem::path p(value);
                data = p.is_absolute() || baseDir_.empty() ? value : (std::filesystem::path(baseDir_) / p).string();
            } else if (key == "column") {
                settings.column = value;
            } else if (key == "label") {
                settings.label = value;
            } else if (key == "style") {
                settings.style = style(value, "<prompt>");
            } else if (key == "orientation") {
                if (value == "vertical" || value == "horizontal") settings.vertical = value == "vertical";
                else error("orientation must be horizontal or vertical, not \"" + value + "\"");
            } else if (key == "select") {
                // Values apart by "|" (values may hold commas).
                size_t from = 0;
                for (;;) {
                    size_t bar = value.find('|', from);
                    std::string one = value.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
                    if (!one.empty()) settings.initial.push_back(one);
                    if (bar == std::string::npos) break;
                    from = bar + 1;
                }
            } else {
                error("unknown attribute \"" + key + "\" on <prompt> (known: kind, data, column, label, style, "
                      "orientation, select)");
            }
        }
        if (!c) return;
        if (kind.empty()) error("<prompt> needs a kind (list, radio, dropdown, buttons, slider, range or text)");
        if (data.empty()) error("<prompt> needs a data attribute (a CSV file, relative to the report)");
        if (settings.column.empty()) error("<prompt> needs a column attribute (the column it picks values of)");
        if (!kindKnown || data.empty() || settings.column.empty()) return;
        c->dataPath = data;
        auto& cached = promptData_[data];
        if (!cached) {
            auto result = CSVReader::readFile(data);
            if (!result.dataSet) {
                error("cannot read the prompt data \"" + data + "\": " + result.error);
                return;
            }
            cached = result.dataSet;
        }
        std::string problem;
        c->prompt = ReportPrompt::create(settings, cached, problem);
        if (!c->prompt) error("<prompt kind=\"" + kind + "\">: " + problem);
    }

    // The markup between <richtext> and </richtext>, read as a rich-text
    // document placed at the same line and column, so that the model
    // reader's messages point into the report file.
    void endRichText(size_t endOffset) {
        const size_t content = richTextContent_;
        richTextContent_ = NO_CONTENT;
        if (content == NO_CONTENT) return;
        auto& c = contents_[content];
        if (endOffset < richTextStart_ || endOffset > text_.size()) endOffset = richTextStart_;
        std::string_view inner(text_.data() + richTextStart_, endOffset - richTextStart_);
        const bool table = c.kind == ReportContent::Kind::TABLE;
        if (isBlank(inner)) {
            error(itemLine_, itemColumn_,
                  table ? "<table> needs a <DataGrid> model inside" : "<richtext> needs <div> markup or a <RichTextNode> tree inside");
            return;
        }
        size_t lineStart = text_.rfind('\n', richTextStart_ == 0 ? 0 : richTextStart_ - 1);
        lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
        const size_t lines = static_cast<size_t>(std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(richTextStart_), '\n'));
        std::string placed(lines, '\n');
        placed.append(richTextStart_ - lineStart, ' ');
        placed.append(inner);
        auto reader = OrvaneUIDeserializer::create();
        reader->setSourceName(path_);
        auto model = reader->deserialize(placed);
        if (!model) {
            errors_.push_back(reader->getLastError().toString());
            return;
        }
        if (table) {
            endTable(c, model);
        } else if (auto node = std::dynamic_pointer_cast<RichTextNode>(model)) {
            c.richText = node;
        } else if (auto div = std::dynamic_pointer_cast<Div>(model)) {
            c.richText = RichTextView::richTextFromDiv(div);
        } else {
            error(itemLine_, itemColumn_, "<richtext> holds <div> markup or a <RichTextNode> tree, not another model");
        }
    }

    // A crosstab: its data file, levels, measures and totals as attributes.
    void startCrosstab(ReportContent* c, const std::string& element, const XML_Char** atts) {
        if (c) c->kind = ReportContent::Kind::CROSSTAB;
        CrosstabDefinition def;
        std::string data;
        static const char* known[] = {"data", "rows", "columns", "measures", "totals", "subtotals", "summary",
                                      "expand", "heatmap", "indented", "sort", "height", "style", "header-style", "total-style",
                                      "window", "transposed"};
        std::shared_ptr<AttributeBundle> styles[3];
        auto flag = [&](const std::string& key, const std::string& value, bool& out) {
            if (value == "true" || value == "false") out = value == "true";
            else error(key + " must be true or false, not \"" + value + "\"");
        };
        for (const XML_Char** a = atts; a && *a; a += 2) {
            const std::string key = a[0], value = a[1];
            if (std::find_if(std::begin(known), std::end(known), [&](const char* k) { return key == k; }) == std::end(known)) {
                std::string list;
                for (const char* k : known) list += (list.empty() ? "" : ", ") + std::string(k);
                error("unknown attribute \"" + key + "\" on <" + element + "> (known: " + list + ")");
                continue;
            }
            if (key == "data") data = value;
            else if (key == "rows") def.rows = CrosstabDefinition::splitList(value);
            else if (key == "columns") def.columns = CrosstabDefinition::splitList(value);
            else if (key == "measures") def.measures = CrosstabDefinition::splitList(value);
            else if (key == "totals") flag(key, value, def.totals);
            else if (key == "subtotals") flag(key, value, def.subtotals);
            else if (key == "indented") flag(key, value, def.indented);
            else if (key == "transposed") flag(key, value, def.transposed);
            else if (key == "expand") def.expanded = CrosstabDefinition::splitList(value, ';');
            else if (key == "heatmap") def.heatMap = CrosstabDefinition::splitList(value);
            else if (key == "sort") def.sorts = CrosstabDefinition::splitList(value);
            else if (key == "style") styles[0] = style(value, "<crosstab style>");
            else if (key == "header-style") styles[1] = style(value, "<crosstab header-style>");
            else if (key == "total-style") styles[2] = style(value, "<crosstab total-style>");
            else if (key == "summary") {
                if (value == "top" || value == "bottom") def.summaryOnTop = value == "top";
                else error("summary must be top or bottom, not \"" + value + "\"");
            } else if (key == "window") {
                // The saved window: its first data row and column, from 0.
                const auto parts = CrosstabDefinition::splitList(value);
                long long v[2] = {-1, -1};
                bool ok = parts.size() == 2;
                for (size_t i = 0; ok && i < 2; ++i) {
                    char* end = nullptr;
                    v[i] = std::strtoll(parts[i].c_str(), &end, 10);
                    ok = end && !*end && v[i] >= 0 && v[i] < (1LL << 30);
                }
                if (!ok) error("window must be ROW,COLUMN (the first data row and column shown, from 0), not \"" + value + "\"");
                else if (c) c->windowRow = v[0], c->windowColumn = int(v[1]);
            } else if (key == "height") {
                char* end = nullptr;
                float h = std::strtof(value.c_str(), &end);
                if (!end || *end || !std::isfinite(h) || h <= 0.0f || h > 16384.0f)
                    error("height must be a number of pixels between 0 and 16384, not \"" + value + "\"");
                else if (c) c->maxHeight = h;
            }
        }
        if (!c) return;
        if (data.empty()) {
            error("<crosstab> needs a data attribute (a CSV file, relative to the report)");
            return;
        }
        std::filesystem::path p(data);
        c->dataPath = p.is_absolute() || baseDir_.empty() ? data : (std::filesystem::path(baseDir_) / p).string();
        auto result = CSVReader::readFile(c->dataPath);
        if (!result.dataSet) {
            error("cannot read the crosstab data \"" + c->dataPath + "\": " + result.error);
            return;
        }
        std::string problem;
        c->crosstab = def.build(result.dataSet, problem);
        if (!c->crosstab) {
            error("<crosstab>: " + problem);
            return;
        }
        c->heatMap = def.heatMap;
        // Styles given on the element: cells, headers (rows, columns and
        // measures), totals and subtotals.
        auto chain = [](const std::shared_ptr<AttributeBundle>& b) { return StyleChain::create({b}); };
        if (styles[0]) c->crosstab->tableStyle.set(chain(styles[0]));
        if (styles[1]) {
            c->crosstab->rowHeaderStyle.set(chain(styles[1]));
            c->crosstab->columnHeaderStyle.set(chain(styles[1]));
            c->crosstab->measureHeaderStyle.set(chain(styles[1]));
        }
        if (styles[2]) {
            c->crosstab->totalStyle.set(chain(styles[2]));
            c->crosstab->subtotalStyle.set(chain(styles[2]));
        }
    }

    // The table's model gets its data set from the CSV file (and the
    // columns file beside it) and the styles given on <table>.
    void endTable(ReportContent& c, const std::shared_ptr<BaseModel>& model) {
        auto grid = std::dynamic_pointer_cast<DataGrid>(model);
        if (!grid) {
            error(itemLine_, itemColumn_, "<table> holds a <DataGrid> model, not another model");
            return;
        }
        if (c.dataPath.empty()) return;
        auto result = CSVReader::readFile(c.dataPath);
        if (!result.dataSet) {
            error(itemLine_, itemColumn_, "cannot read the table data \"" + c.dataPath + "\": " + result.error);
            return;
        }
        grid->dataSet.set(result.dataSet);
        if (tableStyles_[0] && !grid->tableStyle.get()) grid->tableStyle.set(StyleChain::create({tableStyles_[0]}));
        if (tableStyles_[1] && !grid->headerStyle.get()) grid->headerStyle.set(StyleChain::create({tableStyles_[1]}));
        if (tableStyles_[2] && !grid->totalStyle.get()) grid->totalStyle.set(StyleChain::create({tableStyles_[2]}));
        // A sort given by the column records is applied to the data.
        if (auto manager = grid->columnInfoManager.get()) {
            for (const auto& info : manager->getColumnInfos()) {
                if (!info || info->sortDirection.get() == SortDirection::NONE) continue;
                auto col = result.dataSet->getColumn(info->columnIndex.get());
                if (col && col->getName()) grid->sortByColumn(*col->getName(), info->sortDirection.get(), true);
            }
        }
        c.table = grid;
    }

    const std::string& path_;
    const std::string& text_;
    std::shared_ptr<AttributeBundle> tableStyles_[3];
    std::map<std::string, std::shared_ptr<DataSet>> promptData_;  ///< by data file
    std::string baseDir_;
    XML_Parser xml_ = nullptr;
    std::vector<Frame> stack_;
    std::vector<ReportContent> contents_;
    std::vector<std::string> errors_;
    std::vector<std::pair<size_t, size_t>> blanks_;
    bool rootSeen_ = false;
    bool textReported_ = false;
    int skipDepth_ = 0;
    int richTextDepth_ = 0;
    size_t richTextContent_ = NO_CONTENT;
    size_t richTextStart_ = 0;
    std::string labelText_;
    int itemLine_ = 0;
    int itemColumn_ = 0;
};

} // namespace

ReportDocument ReportDocument::read(const std::string& path, const std::string& text) {
    return Reader(path, text).run();
}

} // namespace orvane
