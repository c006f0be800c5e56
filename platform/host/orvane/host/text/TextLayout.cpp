#include "orvane/host/text/TextLayout.h"

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Lets a word that fits exactly stay on the line despite rounding.
bool exceeds(float x, float maxWidth) { return x > maxWidth + 1e-3f + maxWidth * 1e-6f; }

class Builder {
public:
    Builder(TextLayout& out, const TextLayoutOptions& o)
        : L(out), wrap((o.flags & TextFlags::WRAP) != 0 && o.maxWidth > 0.0f), maxW(o.maxWidth) {}

    void addRun(uint32_t r, const TextRun& run) {
        const Font* f = run.font;
        if (r == 0 || run.newLine) {
            if (open) endLine();
            startLine(r, f);
        }
        const char* s = run.text.data();
        const char* end = s + run.text.size();
        const char* p = s;
        while (p < end) {
            char c = *p;
            if (c == '\n') {
                endLine();
                startLine(r, f);
                ++p;
                continue;
            }
            if (isSpace(c)) {
                const char* q = p;
                while (q < end && isSpace(*q)) ++q;
                if (hasContent && !spaceMark) {
                    spaceMark = true;
                    markSegments = L.segments.size();
                    markEnd = markSegments > cur.firstSegment ? L.segments.back().end : 0;
                    markX = x;
                }
                if (!afterSoftBreak) place(r, f, off(s, p), off(s, q), f ? f->measure({p, size_t(q - p)}) : 0.0f);
                p = q;
                continue;
            }
            const char* q = p;
            while (q < end && !isSpace(*q) && *q != '\n') ++q;
            float w = f ? f->measure({p, size_t(q - p)}) : 0.0f;
            if (wrap && hasContent && exceeds(x + w, maxW)) softBreak(r, f);
            if (f && wrap && exceeds(x + w, maxW)) {
                // Too wide even for a line of its own: break between characters.
                const char* k = p;
                while (k < q) {
                    const char* n = k;
                    float cw = f->getAdvance(Utf8::next(n, q));
                    if (x > 0.0f && exceeds(x + cw, maxW)) {
                        endLine();
                        startLine(r, f);
                    }
                    place(r, f, off(s, k), off(s, n), cw);
                    k = n;
                }
            } else {
                place(r, f, off(s, p), off(s, q), w);
            }
            hasContent = true;
            spaceMark = false;
            afterSoftBreak = false;
            p = q;
        }
    }

    void finish() {
        if (open) endLine();
    }

private:
    static uint32_t off(const char* s, const char* p) { return static_cast<uint32_t>(p - s); }

    void noteFont(const Font* f) {
        if (!f || !f->isValid()) return;
        FontMetrics m = f->getMetrics();
        cur.ascent = std::max(cur.ascent, m.ascent);
        cur.descent = std::max(cur.descent, m.descent);
    }

    void startLine(uint32_t run, const Font* f) {
        cur = TextLine();
        cur.firstSegment = static_cast<uint32_t>(L.segments.size());
        cur.run = run;
        x = 0.0f;
        hasContent = false;
        spaceMark = false;
        afterSoftBreak = false;
        open = true;
        noteFont(f);
    }

    void endLine() {
        cur.segmentCount = static_cast<uint32_t>(L.segments.size()) - cur.firstSegment;
        cur.width = x;
        L.lines.push_back(cur);
        open = false;
    }

    // Wraps before the current word: the spaces before it are dropped from
    // the end of this line and from the start of the next.
    void softBreak(uint32_t run, const Font* f) {
        if (spaceMark) {
            L.segments.resize(markSegments);
            if (markSegments > cur.firstSegment) {
                TextSegment& last = L.segments.back();
                last.end = markEnd;
                last.width = markX - last.x;
            }
            x = markX;
        }
        endLine();
        startLine(run, f);
        afterSoftBreak = true;
    }

    void place(uint32_t run, const Font* f, uint32_t b, uint32_t e, float w) {
        if (L.segments.size() > cur.firstSegment) {
            TextSegment& last = L.segments.back();
            if (last.run == run && last.end == b) {
                last.end = e;
                last.width += w;
                x += w;
                return;
            }
        }
        L.segments.push_back({run, b, e, x, w});
        x += w;
        noteFont(f);
    }

    TextLayout& L;
    bool wrap;
    float maxW;
    TextLine cur;
    bool open = false;
    float x = 0.0f;
    bool hasContent = false;
    bool afterSoftBreak = false;
    bool spaceMark = false;
    size_t markSegments = 0;
    uint32_t markEnd = 0;
    float markX = 0.0f;
};

void finishLayout(TextLayout& L, const TextLayoutOptions& o) {
    float top = 0.0f;
    size_t kept = 0;
    for (TextLine& line : L.lines) {
        float h = line.height();
        if (kept > 0 && ((o.maxLines > 0 && kept >= static_cast<size_t>(o.maxLines)) ||
                         (o.maxHeight > 0.0f && exceeds(top + h, o.maxHeight))))
            break;
        line.top = top;
        top += h;
        ++kept;
    }
    if (kept < L.lines.size()) {
        L.truncated = true;
        L.lines.resize(kept);
        const TextLine& last = L.lines.back();
        L.segments.resize(last.firstSegment + last.segmentCount);
    }
    if (o.minLines > 0 && kept < static_cast<size_t>(o.minLines) && !L.lines.empty())
        top += static_cast<float>(static_cast<size_t>(o.minLines) - kept) * L.lines.back().height();
    L.height = o.maxHeight > 0.0f ? std::min(top, o.maxHeight) : top;
    float w = 0.0f;
    for (const TextLine& line : L.lines) w = std::max(w, line.width);
    L.contentWidth = w;
    L.clipped = o.maxWidth > 0.0f && exceeds(w, o.maxWidth);
    L.width = o.maxWidth > 0.0f ? std::min(w, o.maxWidth) : w;
}

} // namespace

TextLayout TextLayout::compute(const TextRun* runs, size_t count, const TextLayoutOptions& options) {
    TextLayout L;
    if (!runs || count == 0) return L;
    Builder b(L, options);
    for (size_t i = 0; i < count; ++i) b.addRun(static_cast<uint32_t>(i), runs[i]);
    b.finish();
    finishLayout(L, options);
    return L;
}

TextLayout TextLayout::compute(const Font& font, std::string_view text, const TextLayoutOptions& options) {
    TextRun run{text, &font, true};
    return compute(&run, 1, options);
}

Size TextLayout::measure(const Font& font, std::string_view text, const TextLayoutOptions& o) {
    if (!font.isValid()) return {};
    if (!std::memchr(text.data(), '\n', text.size())) {
        float w = font.measure(text);
        bool wraps = (o.flags & TextFlags::WRAP) != 0 && o.maxWidth > 0.0f && exceeds(w, o.maxWidth);
        if (!wraps) {
            FontMetrics m = font.getMetrics();
            float h = m.lineHeight * static_cast<float>(std::max(1, o.minLines));
            if (o.maxHeight > 0.0f) h = std::min(h, o.maxHeight);
            if (o.maxWidth > 0.0f) w = std::min(w, o.maxWidth);
            return {w, h};
        }
    }
    TextLayout L = compute(font, text, o);
    return {L.width, L.height};
}

} // namespace orvane
