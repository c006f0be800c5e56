// SPDX-License-Identifier: Apache-2.0
// orvane draw FILE.json -o OUT.svg|OUT.png: records the display list a small
// JSON description asks for and writes it as SVG or PNG. It is the way to look
// at what the display-list renderer draws.
//
// {
//   "width": 320, "height": 200,            picture size (the viewport)
//   "background": "#ffffff",                or "transparent"
//   "focus": {"x":..,"y":..,"w":..,"h":.., "color":"#202020", "thickness":1, "lineStyle":2},
//   "nodes": [ node, ... ]
// }
// Coordinates have their origin at the lower left, y up. Colours are
// "#rrggbb", an integer 0xRRGGBB, or "none". Every node may carry "id" (node
// id for picking), "opacity" and "scale" (a number, or [sx, sy]). Kinds:
//   group     x y w h [scale] [clip] nodes
//   rect      x y w h [fill] [outline] [outlineWidth] [lineStyle] [dashFactor]
//   roundrect as rect, plus radius
//   line      points [[x,y],...] (or x1 y1 x2 y2) [color] [width] [lineStyle] [dashFactor]
//   circle    cx cy r [fill] [outline] [outlineWidth]      (ellipse: rx ry)
//   arc       cx cy r (or rx ry) start sweep [fill] [color] [width]
//   text      text x y [anchor 0-8] [font] [size pt] [bold] [italic] [color] [align]
//             [maxWidth] [maxHeight] [wrap] [underline] [background]
//   richtext  x y w h [id] [maxWidth] [maxHeight] [minLines] [maxLines]
//             paragraphs: [[run, ...], ...], run = {"text", [action], [color], [font],
//             [size], [bold], [italic], [underline], [align], [background]}
//             Runs with "action": true get the ids id+0, id+1, ... (blue and
//             underlined unless told otherwise), so a pick reports the action number.
//   image     x y w h file (a PNG, relative to the JSON file)
#include "Command.h"
#include "JsonPositions.h"
#include "PictureOutput.h"
#include "ToolFiles.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqArc.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqImageRectangle.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqRoundedRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <stdexcept>

namespace orvane::tool {

namespace {

using namespace displaylist;
using Value = rapidjson::Value;

// A problem in the description, with the path of the value at fault.
struct DrawError : std::runtime_error {
    using std::runtime_error::runtime_error;
};


class DrawingReader {
public:
    DrawingReader(DisplayListEditor& editor, std::string baseDir) : editor_(editor), baseDir_(std::move(baseDir)) {}

    void nodes(const Value& list, const std::string& path) {
        if (!list.IsArray()) throw DrawError(path + ": must be a list of nodes");
        for (rapidjson::SizeType i = 0; i < list.Size(); ++i) node(list[i], path + "[" + std::to_string(i) + "]");
    }

    static uint32_t color(const Value& v, const std::string& path) {
        if (v.IsUint()) return v.GetUint() & 0xffffffu;
        if (v.IsString()) {
            std::string s = v.GetString();
            if (s == "none") return TQ_COLOR_NONE;
            if (s.size() == 7 && s[0] == '#') {
                char* end = nullptr;
                unsigned long c = std::strtoul(s.c_str() + 1, &end, 16);
                if (end && *end == '\0') return static_cast<uint32_t>(c);
            }
        }
        throw DrawError(path + ": a colour is \"#rrggbb\", \"none\" or a number");
    }

    static float number(const Value& obj, const char* key, const std::string& path, std::optional<float> def = {}) {
        auto it = obj.FindMember(key);
        if (it == obj.MemberEnd()) {
            if (def) return *def;
            throw DrawError(path + ": \"" + key + "\" is missing");
        }
        if (!it->value.IsNumber()) throw DrawError(path + ": \"" + key + "\" must be a number");
        return static_cast<float>(it->value.GetDouble());
    }

    // A number that becomes an integer code or id: it must lie in the range
    // of int (fractions are cut), or the key is reported where it stands.
    static int integer(const Value& obj, const char* key, const std::string& path, std::optional<int> def = {}) {
        auto it = obj.FindMember(key);
        if (it == obj.MemberEnd()) {
            if (def) return *def;
            throw DrawError(path + ": \"" + key + "\" is missing");
        }
        if (!it->value.IsNumber()) throw DrawError(path + ": \"" + key + "\" must be a number");
        const double v = it->value.GetDouble();
        constexpr double lo = static_cast<double>(std::numeric_limits<int>::min());
        constexpr double hi = static_cast<double>(std::numeric_limits<int>::max());
        if (!(v > lo - 1.0 && v < hi + 1.0))
            throw DrawError(path + ": \"" + key + "\" must be a whole number from " + std::to_string(std::numeric_limits<int>::min()) +
                            " to " + std::to_string(std::numeric_limits<int>::max()));
        return static_cast<int>(v);
    }

    static bool flag(const Value& obj, const char* key, const std::string& path, bool def = false) {
        auto it = obj.FindMember(key);
        if (it == obj.MemberEnd()) return def;
        if (!it->value.IsBool()) throw DrawError(path + ": \"" + key + "\" must be true or false");
        return it->value.GetBool();
    }

    static std::string text(const Value& obj, const char* key, const std::string& path, const std::string& def) {
        auto it = obj.FindMember(key);
        if (it == obj.MemberEnd()) return def;
        if (!it->value.IsString()) throw DrawError(path + ": \"" + key + "\" must be a string");
        return it->value.GetString();
    }

    // Refuses keys the object does not know, as the model reader refuses
    // unknown attributes: a misspelt key would otherwise be ignored silently.
    static void checkKeys(const Value& obj, const std::string& path, const std::vector<const char*>& known) {
        for (auto m = obj.MemberBegin(); m != obj.MemberEnd(); ++m) {
            std::string key = m->name.GetString();
            bool ok = std::any_of(known.begin(), known.end(), [&](const char* k) { return key == k; });
            if (!ok) {
                std::string list;
                for (const char* k : known) list += std::string(list.empty() ? "" : ", ") + k;
                throw DrawError(path + ": \"" + key + "\" is not a key here (known: " + list + ")");
            }
        }
    }

    static std::optional<uint32_t> optColor(const Value& obj, const char* key, const std::string& path) {
        auto it = obj.FindMember(key);
        if (it == obj.MemberEnd()) return std::nullopt;
        return color(it->value, path + "." + key);
    }

private:
    void common(TqGeometry* n, const Value& v, const std::string& path) {
        if (v.HasMember("id")) n->SetNodeId(integer(v, "id", path));
        if (v.HasMember("opacity")) n->SetOpacity(number(v, "opacity", path));
        auto it = v.FindMember("scale");
        if (it != v.MemberEnd() && !n->AsGroup()) {
            if (it->value.IsNumber()) {
                float s = static_cast<float>(it->value.GetDouble());
                n->SetScale(s, s);
            } else if (it->value.IsArray() && it->value.Size() == 2 && it->value[0].IsNumber() &&
                       it->value[1].IsNumber()) {
                n->SetScale(static_cast<float>(it->value[0].GetDouble()), static_cast<float>(it->value[1].GetDouble()));
            } else {
                throw DrawError(path + ": \"scale\" must be a number or [sx, sy]");
            }
        }
    }

    void node(const Value& v, const std::string& path) {
        if (!v.IsObject()) throw DrawError(path + ": a node is an object");
        std::string type = text(v, "type", path, "");
        if (type == "group") return group(v, path);
        if (type == "rect" || type == "roundrect") return rect(v, path, type == "roundrect");
        if (type == "line") return line(v, path);
        if (type == "circle" || type == "ellipse") return ellipse(v, path, type == "circle");
        if (type == "arc") return arc(v, path);
        if (type == "text") return textNode(v, path);
        if (type == "richtext") return richText(v, path);
        if (type == "image") return image(v, path);
        throw DrawError(path + ": unknown node type \"" + type + "\"");
    }

    void group(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "scale", "x", "y", "w", "h", "clip", "nodes"});
        float s = number(v, "scale", path, 1.0f);
        if (!(s > 0.0f)) throw DrawError(path + ": \"scale\" of a group must be positive");
        TqGroup* g = editor_.openGroup(number(v, "x", path, 0.0f), number(v, "y", path, 0.0f),
                                       number(v, "w", path, 0.0f), number(v, "h", path, 0.0f), s);
        common(g, v, path);
        g->SetClipping(flag(v, "clip", path));
        auto it = v.FindMember("nodes");
        if (it != v.MemberEnd()) nodes(it->value, path + ".nodes");
        editor_.closeGroup();
    }

    void rect(const Value& v, const std::string& path, bool rounded) {
        std::vector<const char*> keys{"type", "id",   "opacity", "scale",        "x",         "y",         "w",
                                      "h",    "fill", "outline", "outlineWidth", "lineStyle", "dashFactor"};
        if (rounded) keys.push_back("radius");
        checkKeys(v, path, keys);
        float x = number(v, "x", path), y = number(v, "y", path), w = number(v, "w", path), h = number(v, "h", path);
        TqRectangle* r = rounded ? editor_.addRoundedRectangle(x, y, w, h, number(v, "radius", path, 4.0f))
                                 : editor_.addRectangle(x, y, w, h);
        common(r, v, path);
        if (auto c = optColor(v, "fill", path)) r->SetFillColor(*c);
        if (auto c = optColor(v, "outline", path)) {
            r->SetOutline(*c != TQ_COLOR_NONE);
            r->SetOutlineColor(*c);
        }
        r->SetOutlineWidth(number(v, "outlineWidth", path, 1.0f));
        r->SetLineStyle(integer(v, "lineStyle", path, 1));
        r->SetDashFactor(number(v, "dashFactor", path, 1.0f));
    }

    void line(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "scale", "points", "x1", "y1", "x2", "y2", "color", "width", "lineStyle", "dashFactor"});
        std::vector<Point> pts;
        auto it = v.FindMember("points");
        if (it != v.MemberEnd()) {
            if (!it->value.IsArray()) throw DrawError(path + ": \"points\" must be a list of [x, y]");
            for (const Value& p : it->value.GetArray()) {
                if (!p.IsArray() || p.Size() != 2 || !p[0].IsNumber() || !p[1].IsNumber())
                    throw DrawError(path + ": \"points\" must be a list of [x, y]");
                pts.push_back({static_cast<float>(p[0].GetDouble()), static_cast<float>(p[1].GetDouble())});
            }
        } else {
            pts = {{number(v, "x1", path), number(v, "y1", path)}, {number(v, "x2", path), number(v, "y2", path)}};
        }
        if (pts.size() < 2) throw DrawError(path + ": a line needs two points or more");
        TqLine* l = editor_.addPolyline(pts, optColor(v, "color", path).value_or(0), number(v, "width", path, 1.0f));
        common(l, v, path);
        l->SetLineStyle(integer(v, "lineStyle", path, 1));
        l->SetDashFactor(number(v, "dashFactor", path, 1.0f));
    }

    void ellipse(const Value& v, const std::string& path, bool circle) {
        if (circle)
            checkKeys(v, path, {"type", "id", "opacity", "scale", "cx", "cy", "r", "fill", "outline", "outlineWidth"});
        else
            checkKeys(v, path, {"type", "id", "opacity", "scale", "cx", "cy", "rx", "ry", "fill", "outline", "outlineWidth"});
        float cx = number(v, "cx", path), cy = number(v, "cy", path);
        TqEllipse* e = circle ? editor_.addCircle(cx, cy, number(v, "r", path))
                              : editor_.addEllipse(cx, cy, number(v, "rx", path), number(v, "ry", path));
        common(e, v, path);
        if (auto c = optColor(v, "fill", path)) e->SetFillColor(*c);
        if (auto c = optColor(v, "outline", path)) e->SetOutlineColor(*c);
        e->SetOutlineWidth(number(v, "outlineWidth", path, 1.0f));
    }

    void arc(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "scale", "cx", "cy", "r", "rx", "ry", "start", "sweep", "fill", "color", "width"});
        float r = number(v, "r", path, 0.0f);
        TqArc* a = editor_.addArc(number(v, "cx", path), number(v, "cy", path), number(v, "rx", path, r),
                                  number(v, "ry", path, r), number(v, "start", path), number(v, "sweep", path));
        common(a, v, path);
        if (auto c = optColor(v, "fill", path)) a->SetFillColor(*c);
        if (auto c = optColor(v, "color", path)) a->SetColor(*c);
        a->SetWidth(number(v, "width", path, 1.0f));
    }

    void textNode(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "scale", "text", "x", "y", "anchor", "font", "size", "bold", "italic", "color", "align", "maxWidth", "maxHeight", "wrap", "underline", "background"});
        TqText* t = editor_.addText(text(v, "text", path, ""), number(v, "x", path), number(v, "y", path),
                                    integer(v, "anchor", path, 0));
        common(t, v, path);
        t->SetFontName(text(v, "font", path, "Arial"));
        t->SetFontSize(number(v, "size", path, 12.0f));
        t->SetBold(flag(v, "bold", path));
        t->SetItalic(flag(v, "italic", path));
        t->SetColor(optColor(v, "color", path).value_or(0));
        t->SetTextAlignment(integer(v, "align", path, 0));
        t->SetMaxSize(number(v, "maxWidth", path, 0.0f), number(v, "maxHeight", path, 0.0f));
        t->SetFlags(flag(v, "wrap", path) ? orvane::TextFlags::WRAP : 0u);
        t->SetUnderline(flag(v, "underline", path));
        if (auto c = optColor(v, "background", path)) {
            t->SetBackgroundColor(*c);
            t->SetBackgroundEnabled(*c != TQ_COLOR_NONE);
        }
    }

    void richText(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "x", "y", "w", "h", "maxWidth", "maxHeight", "minLines", "maxLines", "paragraphs"});
        int id = integer(v, "id", path, -1);
        TqRichText* rt = editor_.addRichText({number(v, "x", path), number(v, "y", path), number(v, "w", path),
                                              number(v, "h", path)},
                                             id);
        if (v.HasMember("opacity")) rt->SetOpacity(number(v, "opacity", path));
        rt->SetMaxSize(number(v, "maxWidth", path, 0.0f), number(v, "maxHeight", path, 0.0f));
        rt->setMinMaxLine(integer(v, "minLines", path, 0),
                          integer(v, "maxLines", path, 0));
        auto it = v.FindMember("paragraphs");
        if (it == v.MemberEnd() || !it->value.IsArray())
            throw DrawError(path + ": \"paragraphs\" must be a list of lists of runs");
        int actions = 0;
        for (rapidjson::SizeType p = 0; p < it->value.Size(); ++p) {
            const Value& para = it->value[p];
            std::string ppath = path + ".paragraphs[" + std::to_string(p) + "]";
            if (!para.IsArray()) throw DrawError(ppath + ": a paragraph is a list of runs");
            if (para.Empty()) rt->AddTextObject("");
            for (rapidjson::SizeType r = 0; r < para.Size(); ++r) {
                const Value& run = para[r];
                std::string rpath = ppath + "[" + std::to_string(r) + "]";
                if (!run.IsObject()) throw DrawError(rpath + ": a run is an object");
                checkKeys(run, rpath, {"text", "action", "color", "font", "size", "bold", "italic", "underline",
                                       "align", "background"});
                TqTextObject* o = rt->AddTextObject(text(run, "text", rpath, ""));
                bool action = flag(run, "action", rpath);
                if (action && id >= 0) {
                    if (actions > std::numeric_limits<int>::max() - id)
                        throw DrawError(rpath + ": the action ids counted from \"id\" pass " +
                                        std::to_string(std::numeric_limits<int>::max()));
                    o->SetId(id + actions++);
                }
                o->SetContinueLine(r > 0);
                o->SetColor(optColor(run, "color", rpath).value_or(action ? 0xffu : 0u));
                o->SetFontName(text(run, "font", rpath, "Arial"));
                o->SetFontSize(number(run, "size", rpath, 12.0f));
                o->SetBold(flag(run, "bold", rpath));
                o->SetItalic(flag(run, "italic", rpath));
                o->SetUnderline(flag(run, "underline", rpath, action));
                o->SetAlignment(integer(run, "align", rpath, 0));
                if (auto c = optColor(run, "background", rpath)) {
                    o->SetBackgroundColor(*c);
                    o->SetBackgroundEnabled(*c != TQ_COLOR_NONE);
                }
            }
        }
    }

    void image(const Value& v, const std::string& path) {
        checkKeys(v, path, {"type", "id", "opacity", "scale", "x", "y", "w", "h", "file"});
        std::string file = text(v, "file", path, "");
        if (file.empty()) throw DrawError(path + ": \"file\" is missing");
        std::filesystem::path p(file);
        if (p.is_relative()) p = std::filesystem::path(baseDir_) / p;
        auto img = Image::readPNG(p.string());
        if (!img) throw DrawError(path + ": cannot read the PNG file " + p.string());
        TqImageRectangle* n = editor_.addImageRectangle(
            {number(v, "x", path), number(v, "y", path), number(v, "w", path, static_cast<float>(img->getWidth())),
             number(v, "h", path, static_cast<float>(img->getHeight()))});
        common(n, v, path);
        n->SetImage(img);
    }

    DisplayListEditor& editor_;
    std::string baseDir_;
};

int draw(const std::vector<std::string>& args) {
    ArgParser p = CommandRegistry::parserFor("draw");
    if (!p.parse(args)) return usageError("draw", p.error());
    if (p.positional().empty()) return usageError("draw", "no drawing given (FILE.json, or - for standard input)");
    if (p.positional().size() > 1) return usageError("draw", "only one drawing at a time");
    const std::string input = p.positional()[0];
    const std::string name = input == "-" ? ToolFiles::STDIN_NAME : input;
    PictureOutput output;
    std::string error;
    if (!output.read(p, error)) return usageError("draw", error);
    std::vector<Point> picks;
    for (const auto& text : p.all("pick")) {
        Point pt;
        if (!PictureOutput::parsePoint(text, pt))
            return usageError("draw", "--pick wants X,Y (pixels from the top left of the picture), not \"" + text + "\"");
        picks.push_back(pt);
    }
    if (output.empty() && picks.empty())
        return usageError("draw", "nothing to do: give -o FILE.svg|FILE.png (or -o - --format svg|png) or --pick X,Y");
    if (output.usesStandardOutput() && !picks.empty())
        return usageError("draw", "-o - and --pick would share standard output");

    std::string json;
    if (!ToolFiles::read(input, json, error)) return fail(error);
    JsonPositions positions(json);
    rapidjson::Document doc;
    doc.Parse(json.c_str(), json.size());
    if (doc.HasParseError())
        return fail(positions.locate(name, doc.GetErrorOffset()) + ": malformed JSON: " +
                    rapidjson::GetParseError_En(doc.GetParseError()));
    if (!doc.IsObject()) return fail(positions.locate(name, 0) + ": the drawing must be a JSON object");

    std::optional<TextEngine::ScopedBackend> backend;
    if (p.has("fixed-metrics")) backend.emplace(TextEngine::Backend::FIXED_METRICS);

    auto renderer = DisplayListRenderer::create(false);
    auto editor = renderer->getEditor();
    float height = 0.0f;
    try {
        const Value& top = doc;  // const iterators compare without ambiguity in C++20
        DrawingReader::checkKeys(top, "drawing", {"width", "height", "background", "focus", "nodes"});
        float w = DrawingReader::number(doc, "width", "drawing");
        float h = DrawingReader::number(doc, "height", "drawing");
        if (!(w > 0.0f) || !(h > 0.0f) || w > 16384.0f || h > 16384.0f)
            throw DrawError("drawing: \"width\" and \"height\" must be from 1 to 16384 pixels");
        height = h;
        renderer->setViewport(0.0f, 0.0f, w, h);
        auto bg = top.FindMember("background");
        if (bg != top.MemberEnd() && bg->value.IsString() && std::string(bg->value.GetString()) == "transparent") {
            renderer->configure(true, 0xffffff);
        } else {
            uint32_t c = bg == top.MemberEnd() ? 0xffffffu : DrawingReader::color(bg->value, "drawing.background");
            renderer->configure(p.has("transparent") || c == TQ_COLOR_NONE, c == TQ_COLOR_NONE ? 0xffffffu : c);
        }
        DrawingReader reader(*editor, input == "-" ? std::string() : std::filesystem::path(input).parent_path().string());
        auto nodes = top.FindMember("nodes");
        if (nodes != top.MemberEnd()) reader.nodes(nodes->value, "nodes");
        auto focus = top.FindMember("focus");
        if (focus != top.MemberEnd()) {
            const Value& f = focus->value;
            if (!f.IsObject()) throw DrawError("focus: must be an object");
            DrawingReader::checkKeys(f, "focus", {"x", "y", "w", "h", "color", "thickness", "lineStyle", "factor"});
            editor->setFocusRectAttributes(DrawingReader::optColor(f, "color", "focus").value_or(0x202020),
                                           DrawingReader::number(f, "thickness", "focus", 1.0f),
                                           DrawingReader::integer(f, "lineStyle", "focus", 2),
                                           DrawingReader::number(f, "factor", "focus", 1.0f));
            editor->setFocusRect({DrawingReader::number(f, "x", "focus"), DrawingReader::number(f, "y", "focus"),
                                  DrawingReader::number(f, "w", "focus"), DrawingReader::number(f, "h", "focus")});
        }
    } catch (const DrawError& e) {
        return fail(positions.locateProblem(name, e.what()));
    }

    // Picks are given from the top left, like every picture coordinate of
    // the tool; the display list counts y from the bottom.
    for (const Point& pt : picks) {
        auto hits = renderer->getPickedNodeIds({pt.x - 0.5f, height - pt.y - 0.5f, 1.0f, 1.0f});
        std::cout << "pick " << pt.x << "," << pt.y << ":";
        for (const auto& s : hits) std::cout << " " << s.nodeId << "/" << s.detailIndex;
        if (hits.empty()) std::cout << " nothing";
        std::cout << "\n";
    }
    if (!output.writeAll(*renderer, "", error)) return fail(error);
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND(
    "draw", "FILE.json -o OUT.svg|OUT.png... [--scale S] [--transparent] [--pick X,Y]... [--fixed-metrics]",
    "draw a display list described in JSON as SVG or PNG", &draw,
    PictureOutput::options(
        {{"--pick", "X,Y", "print the node ids under X,Y (pixels from the top left), front-most first", true}}),
    "FILE may be \"-\" (standard input). The fields of the description are listed at the top of\n"
    "tools/orvane/DrawCommand.cpp; a key a node does not know is refused, like a malformed value,\n"
    "as FILE:LINE:COLUMN: PATH: problem.\n\n"
    "example:\n  orvane draw examples/draw/shapes.json -o shapes.png --scale 2");

} // namespace orvane::tool
