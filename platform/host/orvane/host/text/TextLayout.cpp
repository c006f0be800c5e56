// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/text/TextLayout.h"

#include "orvane/host/core/Utf8.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/text/TextShaper.h"

#include <unicode/brkiter.h>
#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace orvane {

namespace {

bool isSpace(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == 0x3000; }

// Lets a word that fits exactly stay on the line despite rounding.
bool exceeds(float x, float maxWidth) { return x > maxWidth + 1e-3f + maxWidth * 1e-6f; }

// Characters that belong to the cluster of the character before them.
bool extendsCluster(char32_t cp, char32_t previous) {
    if (previous == 0x200d) return true;  // after a zero-width joiner (emoji sequences)
    switch (u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_GRAPHEME_CLUSTER_BREAK)) {
    case U_GCB_EXTEND:
    case U_GCB_SPACING_MARK:
    case U_GCB_ZWJ: return true;
    default: return false;
    }
}

icu::BreakIterator* lineBreaker() {
    thread_local std::unique_ptr<icu::BreakIterator> breaker;
    thread_local bool tried = false;
    if (!tried) {
        tried = true;
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale locale(ResourceManager::getLocalizationContext()->getLocale().c_str());
        breaker.reset(icu::BreakIterator::createLineInstance(locale, status));
        if (U_FAILURE(status)) breaker.reset();
    }
    return breaker.get();
}

UBiDi* bidi() {
    struct Holder {
        UBiDi* b = ubidi_open();
        ~Holder() { ubidi_close(b); }
    };
    thread_local Holder h;
    return h.b;
}

struct Char {
    uint32_t run;
    uint32_t begin;  // bytes in the run's text
    uint32_t end;
    char32_t cp;
};

// A stretch of one run and one level on a line, in logical order.
struct Piece {
    uint32_t run;
    uint32_t begin;
    uint32_t end;
    uint8_t level;
    bool ellipsis;
};

class Builder {
public:
    Builder(TextLayout& out, const TextRun* runs, const TextLayoutOptions& o)
        : L(out), runs_(runs), o_(o), wrap_((o.flags & TextFlags::WRAP) != 0 && o.maxWidth > 0.0f),
          ellipsis_((o.flags & TextFlags::ELLIPSIS) != 0 && o.maxWidth > 0.0f) {}

    void addRun(uint32_t r) {
        const TextRun& run = runs_[r];
        if (r == 0 || run.newLine) startParagraph(r);
        const char* s = run.text.data();
        const char* end = s + run.text.size();
        for (const char* p = s; p < end;) {
            if (*p == '\n') {
                startParagraph(r);
                ++p;
                continue;
            }
            uint32_t b = static_cast<uint32_t>(p - s);
            char32_t cp = Utf8::next(p, end);
            if (cp >= 0x590) maybeRightToLeft_ = true;
            chars_.push_back({r, b, static_cast<uint32_t>(p - s), cp});
        }
    }

    void finish() {
        if (open_) flushParagraph();
    }

private:
    const Font* fontOf(uint32_t run) const { return runs_[run].font; }
    std::string_view textOf(const Piece& p) const {
        return p.ellipsis ? TextLayout::ELLIPSIS : runs_[p.run].text.substr(p.begin, p.end - p.begin);
    }
    float pieceWidth(const Piece& p) const {
        const Font* f = fontOf(p.run);
        return f && f->isValid() ? TextShaper::width(*f, textOf(p), (p.level & 1) != 0) : 0.0f;
    }

    void startParagraph(uint32_t run) {
        if (open_) flushParagraph();
        open_ = true;
        firstRun_ = run;
        chars_.clear();
        maybeRightToLeft_ = false;
    }

    // Splits chars [a, b) into pieces of one run and one level.
    void piecesOf(size_t a, size_t b, std::vector<Piece>& out) const {
        for (size_t i = a; i < b; ++i) {
            const Char& c = chars_[i];
            uint8_t lv = levels_[i];
            if (!out.empty() && !out.back().ellipsis && out.back().run == c.run && out.back().level == lv &&
                out.back().end == c.begin) {
                out.back().end = c.end;
            } else {
                out.push_back({c.run, c.begin, c.end, lv, false});
            }
        }
    }

    float rangeWidth(size_t a, size_t b) {
        scratch_.clear();
        piecesOf(a, b, scratch_);
        float w = 0.0f;
        for (const Piece& p : scratch_) w += pieceWidth(p);
        return w;
    }

    size_t clusterEnd(size_t k, size_t limit) const {
        size_t e = k + 1;
        while (e < limit && extendsCluster(chars_[e].cp, chars_[e - 1].cp)) ++e;
        return e;
    }

    void flushParagraph() {
        open_ = false;
        const size_t n = chars_.size();
        levels_.assign(n, 0);
        baseLevel_ = 0;
        u16_.clear();
        if (wrap_ || maybeRightToLeft_ || o_.rightToLeft) {
            u16Of_.resize(n);
            for (size_t i = 0; i < n; ++i) {
                u16Of_[i] = static_cast<int32_t>(u16_.size());
                char32_t cp = chars_[i].cp;
                if (cp >= 0x10000) {
                    u16_.push_back(static_cast<UChar>(0xd800 + ((cp - 0x10000) >> 10)));
                    u16_.push_back(static_cast<UChar>(0xdc00 + ((cp - 0x10000) & 0x3ff)));
                } else {
                    u16_.push_back(static_cast<UChar>(cp));
                }
            }
        }
        if ((maybeRightToLeft_ || o_.rightToLeft) && n > 0) resolveLevels();
        else if (o_.rightToLeft) baseLevel_ = 1;

        std::vector<std::pair<size_t, size_t>> lines;
        if (wrap_ && n > 0) {
            breakLines(lines);
        } else {
            lines.push_back({0, n});
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            size_t a = lines[i].first, b = lines[i].second;
            if (i + 1 < lines.size()) {
                while (b > a && isSpace(chars_[b - 1].cp)) --b;  // spaces at a wrap are dropped
            }
            emitLine(a, b, i == 0 ? firstRun_ : chars_[a].run);
        }
    }

    void resolveLevels() {
        UBiDi* b = bidi();
        UErrorCode status = U_ZERO_ERROR;
        ubidi_setPara(b, u16_.data(), static_cast<int32_t>(u16_.size()),
                      o_.rightToLeft ? UBIDI_DEFAULT_RTL : UBIDI_DEFAULT_LTR, nullptr, &status);
        if (U_FAILURE(status)) return;
        baseLevel_ = ubidi_getParaLevel(b);
        const UBiDiLevel* lv = ubidi_getLevels(b, &status);
        if (U_FAILURE(status) || !lv) return;
        for (size_t i = 0; i < chars_.size(); ++i) levels_[i] = lv[u16Of_[i]];
    }

    void breakLines(std::vector<std::pair<size_t, size_t>>& lines) {
        const size_t n = chars_.size();
        std::vector<size_t> breaks;
        icu::BreakIterator* bi = lineBreaker();
        if (bi) {
            // UTF-16 offsets back to character indices.
            std::vector<int32_t> charAt(u16_.size() + 1, -1);
            for (size_t i = 0; i < n; ++i) charAt[u16Of_[i]] = static_cast<int32_t>(i);
            charAt[u16_.size()] = static_cast<int32_t>(n);
            UErrorCode status = U_ZERO_ERROR;
            UText text = UTEXT_INITIALIZER;
            utext_openUChars(&text, u16_.data(), static_cast<int64_t>(u16_.size()), &status);
            bi->setText(&text, status);
            if (U_SUCCESS(status)) {
                for (int32_t p = bi->next(); p != icu::BreakIterator::DONE; p = bi->next())
                    if (p > 0 && charAt[p] >= 0) breaks.push_back(static_cast<size_t>(charAt[p]));
            }
            bi->setText(icu::UnicodeString());
            utext_close(&text);
        }
        if (breaks.empty() || breaks.back() != n) breaks.push_back(n);

        const float maxW = o_.maxWidth;
        size_t lineStart = 0, prev = 0;
        float x = 0.0f;
        bool hasContent = false;
        for (size_t bnd : breaks) {
            if (bnd <= prev) continue;
            size_t te = bnd;
            while (te > prev && isSpace(chars_[te - 1].cp)) --te;
            float w = rangeWidth(prev, te);
            if (hasContent && exceeds(x + w, maxW)) {
                lines.push_back({lineStart, prev});
                lineStart = prev;
                x = 0.0f;
                hasContent = false;
            }
            if (!hasContent && te > prev && exceeds(w, maxW)) {
                // Too wide even for a line of its own: break between clusters.
                for (size_t k = prev; k < te;) {
                    size_t e = clusterEnd(k, te);
                    float cw = rangeWidth(k, e);
                    if (k > lineStart && exceeds(x + cw, maxW)) {
                        lines.push_back({lineStart, k});
                        lineStart = k;
                        x = 0.0f;
                    }
                    x += cw;
                    k = e;
                }
                x += rangeWidth(te, bnd);
            } else {
                x += te == bnd ? w : rangeWidth(prev, bnd);
            }
            hasContent = hasContent || te > prev;
            prev = bnd;
        }
        lines.push_back({lineStart, n});
    }

    void noteFont(TextLine& line, const Font* f) const {
        if (!f || !f->isValid()) return;
        FontMetrics m = f->getMetrics();
        line.ascent = std::max(line.ascent, m.ascent);
        line.descent = std::max(line.descent, m.descent);
    }

    void emitLine(size_t a, size_t b, uint32_t startRun) {
        TextLine line;
        line.firstSegment = static_cast<uint32_t>(L.segments.size());
        line.run = startRun;
        line.rightToLeft = (baseLevel_ & 1) != 0;
        noteFont(line, fontOf(startRun));

        std::vector<Piece> pieces;
        piecesOf(a, b, pieces);
        std::vector<float> widths;
        float total = 0.0f;
        for (const Piece& p : pieces) {
            widths.push_back(pieceWidth(p));
            total += widths.back();
        }
        if (ellipsis_ && exceeds(total, o_.maxWidth) && b > a) {
            // Keep the clusters that fit before the ellipsis, in logical order.
            uint32_t run = chars_[b - 1].run;
            Piece dots{run, chars_[b - 1].end, chars_[b - 1].end, baseLevel_, true};
            float dotsWidth = pieceWidth(dots);
            float x = 0.0f;
            size_t cut = a;
            for (size_t k = a; k < b;) {
                size_t e = clusterEnd(k, b);
                float cw = rangeWidth(k, e);
                if (exceeds(x + cw + dotsWidth, o_.maxWidth)) break;
                x += cw;
                k = cut = e;
            }
            while (cut > a && isSpace(chars_[cut - 1].cp)) --cut;
            pieces.clear();
            piecesOf(a, cut, pieces);
            pieces.push_back(dots);
            widths.clear();
            for (const Piece& p : pieces) widths.push_back(pieceWidth(p));
        }

        // Visual order of the pieces.
        std::vector<int32_t> order(pieces.size());
        bool mixed = false;
        for (const Piece& p : pieces) mixed = mixed || p.level != 0;
        if (mixed) {
            std::vector<UBiDiLevel> lv;
            for (const Piece& p : pieces) lv.push_back(p.level);
            ubidi_reorderVisual(lv.data(), static_cast<int32_t>(lv.size()), order.data());
        } else {
            for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int32_t>(i);
        }
        double x = 0.0;
        for (int32_t idx : order) {
            const Piece& p = pieces[static_cast<size_t>(idx)];
            float w = widths[static_cast<size_t>(idx)];
            TextSegment s;
            s.run = p.run;
            s.begin = p.begin;
            s.end = p.end;
            s.x = static_cast<float>(x);
            s.width = w;
            s.level = p.level;
            s.ellipsis = p.ellipsis;
            L.segments.push_back(s);
            if (p.run != startRun) noteFont(line, fontOf(p.run));
            x += w;
        }
        line.segmentCount = static_cast<uint32_t>(L.segments.size()) - line.firstSegment;
        line.width = static_cast<float>(x);
        L.lines.push_back(line);
    }

    TextLayout& L;
    const TextRun* runs_;
    const TextLayoutOptions& o_;
    bool wrap_;
    bool ellipsis_;
    bool open_ = false;
    uint32_t firstRun_ = 0;
    bool maybeRightToLeft_ = false;
    std::vector<Char> chars_;
    std::vector<uint8_t> levels_;
    uint8_t baseLevel_ = 0;
    std::vector<UChar> u16_;
    std::vector<int32_t> u16Of_;
    std::vector<Piece> scratch_;
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
    Builder b(L, runs, options);
    for (size_t i = 0; i < count; ++i) b.addRun(static_cast<uint32_t>(i));
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
    if (!o.rightToLeft && !std::memchr(text.data(), '\n', text.size()) && !TextShaper::hasRightToLeft(text)) {
        // One left-to-right line: the width of the text shaped as a whole,
        // which is what compute() places.
        float w = font.measure(text);
        bool cut = o.maxWidth > 0.0f && exceeds(w, o.maxWidth) &&
                   (o.flags & (TextFlags::WRAP | TextFlags::ELLIPSIS)) != 0;
        if (!cut) {
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
