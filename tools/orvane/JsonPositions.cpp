// SPDX-License-Identifier: Apache-2.0
#include "JsonPositions.h"

#include <rapidjson/reader.h>

#include <vector>

namespace orvane::tool {

namespace {

// The text as a rapidjson input stream that the reader uses in place (its
// string streams are copied while a token is read, so their position lags
// behind inside the handler's calls).
struct PlainStream {
    using Ch = char;
    const char* head;
    const char* src;
    Ch Peek() const { return *src; }
    Ch Take() { return *src++; }
    size_t Tell() const { return static_cast<size_t>(src - head); }
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    size_t PutEnd(Ch*) { return 0; }
};

// A SAX pass that notes the offset of every value under its path.
class PathIndexer : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, PathIndexer> {
public:
    PathIndexer(const PlainStream& stream, std::map<std::string, size_t>& out)
        : stream_(stream), out_(out) {}

    bool Default() {  // any scalar
        place(stream_.Tell());
        return true;
    }
    bool String(const char*, rapidjson::SizeType, bool) { return Default(); }
    bool StartObject() { return open(false); }
    bool StartArray() { return open(true); }
    bool Key(const char* str, rapidjson::SizeType length, bool) {
        if (!stack_.empty()) {
            stack_.back().key = std::string(str, length);
            size_t end = stream_.Tell();
            stack_.back().keyOffset = end >= length + 2 ? end - length - 2 : 0;
        }
        return true;
    }
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool EndArray(rapidjson::SizeType) { return close(); }

private:
    struct Frame {
        std::string path;
        bool array = false;
        size_t index = 0;
        std::string key;
        size_t keyOffset = 0;
    };

    // Records the value starting (or, for scalars, ending) at `offset` and
    // returns its path.
    std::string place(size_t offset) {
        if (stack_.empty()) {
            out_[""] = 0;
            return "";
        }
        Frame& top = stack_.back();
        std::string path;
        if (top.array) {
            path = top.path + "[" + std::to_string(top.index++) + "]";
            out_[path] = offset;
        } else {
            path = top.path.empty() ? top.key : top.path + "." + top.key;
            out_[path] = top.keyOffset;
        }
        return path;
    }
    bool open(bool array) {
        size_t at = stream_.Tell();
        std::string path = place(at > 0 ? at - 1 : 0);
        stack_.push_back({path, array, 0, {}, 0});
        return true;
    }
    bool close() {
        if (!stack_.empty()) stack_.pop_back();
        return true;
    }

    const PlainStream& stream_;
    std::map<std::string, size_t>& out_;
    std::vector<Frame> stack_;
};

} // namespace

JsonPositions::JsonPositions(const std::string& text) : text_(text) {
    PlainStream stream{text_.c_str(), text_.c_str()};
    PathIndexer indexer(stream, offsets_);
    rapidjson::Reader reader;
    reader.Parse(stream, indexer);
}

std::string JsonPositions::locate(const std::string& name, size_t offset) const {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < text_.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return name + ":" + std::to_string(line) + ":" + std::to_string(column);
}

std::string JsonPositions::locateProblem(const std::string& name, const std::string& problem) const {
    size_t colon = problem.find(": ");
    if (colon == std::string::npos) return locate(name, 0) + ": " + problem;
    std::string path = problem.substr(0, colon);
    std::string message = problem.substr(colon + 2);
    // "drawing" is the top object; "drawing.background" its member.
    std::string lookup = path == "drawing" ? "" : path.rfind("drawing.", 0) == 0 ? path.substr(8) : path;
    // A message about a key ("\"x\" must be a number") points at that key.
    if (message.size() > 2 && message[0] == '"') {
        size_t close = message.find('"', 1);
        if (close != std::string::npos) {
            std::string key = message.substr(1, close - 1);
            auto it = offsets_.find(lookup.empty() ? key : lookup + "." + key);
            if (it != offsets_.end()) return locate(name, it->second) + ": " + problem;
        }
    }
    // Else the value itself, or the nearest enclosing value that is known.
    while (true) {
        auto it = offsets_.find(lookup);
        if (it != offsets_.end()) return locate(name, it->second) + ": " + problem;
        size_t cut = lookup.find_last_of(".[");
        if (cut == std::string::npos) break;
        lookup.erase(cut);
    }
    return locate(name, 0) + ": " + problem;
}

} // namespace orvane::tool
