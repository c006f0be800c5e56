// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/ExpressionParser.h"

#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/format/FormatterFactory.h"

#include <cctype>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace orvane {

namespace {

using B = ExpressionBuilder;
using ExprPtr = std::shared_ptr<Expression>;

struct Token {
    enum Kind { END, LPAREN, RPAREN, COMMA, OP, DQUOTE, SQUOTE, NUMBER, DOT, WORD } kind = END;
    std::string text;    // unquoted text, word, operator or number
    std::string suffix;  // after a quote: "", "n", "d", "dt", "t" (lower case)
    size_t pos = 0;
};

// The whole text as a number (sign, digits, fraction, exponent, inf).
bool plainNumber(std::string_view text, double& out) {
    const char* first = text.data();
    const char* last = first + text.size();
    auto [p, ec] = std::from_chars(first, last, out);
    return !text.empty() && ec == std::errc() && p == last;
}

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

class Lexer {
public:
    explicit Lexer(std::string_view s) : s_(s) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        while (true) {
            while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
            Token t;
            t.pos = i_;
            if (i_ >= s_.size()) {
                out.push_back(t);
                return out;
            }
            char c = s_[i_];
            if (c == '(') t.kind = Token::LPAREN, ++i_;
            else if (c == ')') t.kind = Token::RPAREN, ++i_;
            else if (c == ',') t.kind = Token::COMMA, ++i_;
            else if (c == '"' || c == '\'') quoted(t, c);
            else if (c == '=' || c == '<' || c == '>' || c == '!' || c == '^') op(t);
            else if (std::isdigit(static_cast<unsigned char>(c)) ||
                     ((c == '-' || c == '+' || c == '.') && i_ + 1 < s_.size() &&
                      (std::isdigit(static_cast<unsigned char>(s_[i_ + 1])) ||
                       (s_[i_ + 1] == '.' && c != '.'))))
                number(t);
            else if (c == '.') t.kind = Token::DOT, ++i_;
            else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') word(t);
            else throw Failure("unexpected character '" + std::string(1, c) + "' at " + std::to_string(i_));
            out.push_back(std::move(t));
        }
    }

private:
    void quoted(Token& t, char q) {
        t.kind = q == '"' ? Token::DQUOTE : Token::SQUOTE;
        ++i_;
        while (true) {
            if (i_ >= s_.size()) throw Failure("unterminated text starting at " + std::to_string(t.pos));
            if (s_[i_] == q) {
                if (i_ + 1 < s_.size() && s_[i_ + 1] == q) {
                    t.text += q;
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            t.text += s_[i_++];
        }
        size_t st = i_;
        while (i_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[i_]))) ++i_;
        t.suffix = lower(s_.substr(st, i_ - st));
        if (!t.suffix.empty() && t.suffix != "n" && t.suffix != "d" && t.suffix != "dt" && t.suffix != "t")
            throw Failure("unknown literal suffix \"" + t.suffix + "\" at " + std::to_string(st));
    }
    void op(Token& t) {
        t.kind = Token::OP;
        static const char* ops[] = {"<=", ">=", "<>", "!=", "^=", "=", "<", ">"};
        for (const char* o : ops) {
            std::string_view ov(o);
            if (s_.substr(i_, ov.size()) == ov) {
                t.text = std::string(ov);
                i_ += ov.size();
                return;
            }
        }
        throw Failure("unexpected character '" + std::string(1, s_[i_]) + "' at " + std::to_string(i_));
    }
    void number(Token& t) {
        t.kind = Token::NUMBER;
        size_t st = i_;
        if (s_[i_] == '-' || s_[i_] == '+') ++i_;
        while (i_ < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[i_])) || s_[i_] == '.')) ++i_;
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            size_t save = i_++;
            if (i_ < s_.size() && (s_[i_] == '-' || s_[i_] == '+')) ++i_;
            if (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_])))
                while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_]))) ++i_;
            else i_ = save;
        }
        t.text = std::string(s_.substr(st, i_ - st));
    }
    void word(Token& t) {
        t.kind = Token::WORD;
        size_t st = i_;
        while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) ++i_;
        t.text = std::string(s_.substr(st, i_ - st));
    }

    std::string_view s_;
    size_t i_ = 0;
};

bool isReserved(const std::string& w) {
    static const char* words[] = {"and", "or",  "not", "between", "in", "is", "missing", "exclusive",
                                  "eq",  "ne",  "lt",  "le",      "gt", "ge"};
    std::string l = lower(w);
    for (const char* k : words)
        if (l == k) return true;
    return false;
}

class Parser {
public:
    explicit Parser(std::vector<Token> t) : t_(std::move(t)) {}

    ExprPtr run() {
        ExprPtr e = parseOr();
        if (peek().kind != Token::END) fail("unexpected text");
        return e;
    }

private:
    const Token& peek(size_t k = 0) const { return t_[std::min(p_ + k, t_.size() - 1)]; }
    Token next() {
        Token t = peek();
        ++p_;
        return t;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw Failure(what + " at " + std::to_string(peek().pos));
    }
    bool isWord(const char* w, size_t k = 0) const {
        return peek(k).kind == Token::WORD && lower(peek(k).text) == w;
    }
    bool eatWord(const char* w) {
        if (!isWord(w)) return false;
        ++p_;
        return true;
    }
    void expect(Token::Kind k, const char* what) {
        if (peek().kind != k) fail(std::string("expected ") + what);
        ++p_;
    }

    ExprPtr parseOr() {
        std::vector<ExprPtr> ops{parseAnd()};
        while (eatWord("or")) ops.push_back(parseAnd());
        return ops.size() == 1 ? ops[0] : B::or_(ops);
    }
    ExprPtr parseAnd() {
        std::vector<ExprPtr> ops{parseNot()};
        while (eatWord("and")) ops.push_back(parseNot());
        return ops.size() == 1 ? ops[0] : B::and_(ops);
    }
    ExprPtr parseNot() {
        // Nesting is bounded so that hostile text cannot exhaust the stack.
        if (++depth_ > 200) fail("expression nested too deeply");
        ExprPtr e = eatWord("not") ? B::not_(parseNot()) : parsePrimary();
        --depth_;
        return e;
    }
    ExprPtr parsePrimary() {
        if (peek().kind == Token::LPAREN) {
            ++p_;
            ExprPtr e = parseOr();
            expect(Token::RPAREN, "')'");
            return e;
        }
        if ((isWord("and") || isWord("or")) && peek(1).kind == Token::LPAREN) {
            bool isAnd = isWord("and");
            p_ += 2;
            ExprPtr e = parseOr();
            expect(Token::RPAREN, "')'");
            return isAnd ? B::and_(std::vector<ExprPtr>{e}) : B::or_(std::vector<ExprPtr>{e});
        }
        return parsePredicate();
    }

    static bool compareOp(const Token& t, Expression::Operator& op) {
        std::string s = t.kind == Token::WORD ? lower(t.text) : t.kind == Token::OP ? t.text : std::string();
        if (s == "=" || s == "eq") op = Expression::Operator::EQ;
        else if (s == "<>" || s == "!=" || s == "^=" || s == "ne") op = Expression::Operator::NE;
        else if (s == "<" || s == "lt") op = Expression::Operator::LT;
        else if (s == "<=" || s == "le") op = Expression::Operator::LE;
        else if (s == ">" || s == "gt") op = Expression::Operator::GT;
        else if (s == ">=" || s == "ge") op = Expression::Operator::GE;
        else return false;
        return true;
    }

    ExprPtr parsePredicate() {
        ExprPtr left = parseOperand(true);
        Expression::Operator op;
        if (left->getType() == Expression::Type::CONSTANT) {
            if (!compareOp(peek(), op)) fail("expected a comparison after a constant");
            ++p_;
            return B::compare(left, op, parseOperand(true));
        }
        if (compareOp(peek(), op)) {
            ++p_;
            return B::compare(left, op, parseOperand(false));
        }
        bool negated = false;
        if (isWord("not") && isWord("between", 1)) {
            negated = true;
            ++p_;
        }
        if (eatWord("between")) {
            ExprPtr lo = parseConstant();
            if (!eatWord("and")) fail("expected 'and' in a range");
            ExprPtr hi = parseConstant();
            bool exclusive = eatWord("exclusive");
            return B::between(left, lo, hi, exclusive ? 0 : 1, negated ? 1 : 0);
        }
        if (eatWord("in")) {
            expect(Token::LPAREN, "'(' after in");
            std::vector<ExprPtr> values;
            if (peek().kind != Token::RPAREN) {
                values.push_back(parseConstant());
                while (peek().kind == Token::COMMA) {
                    ++p_;
                    values.push_back(parseConstant());
                }
            }
            expect(Token::RPAREN, "')' after the values");
            return B::in(left, values);
        }
        if (eatWord("is")) {
            bool no = eatWord("not");
            if (!eatWord("missing")) fail("expected 'missing'");
            ExprPtr m = B::isMissing(left);
            return no ? B::not_(m) : m;
        }
        fail("expected a comparison, between, in or is missing");
    }

    ExprPtr parseConstant() {
        ExprPtr c = parseOperand(false);
        if (c->getType() != Expression::Type::CONSTANT) fail("expected a constant");
        return c;
    }

    static ExprPtr typed(const Token& t) {
        const char* format = t.suffix == "d" ? "DATE9." : t.suffix == "dt" ? "DATETIME19." : "TIME8.";
        auto f = FormatterFactory::getFormatter(format);
        double v;
        // The formatter's text first; then the plain number an expression
        // writes for values no date or time text carries exactly.
        if (!f->parse(t.text, v) && !plainNumber(t.text, v)) throw Failure("\"" + t.text + "\"" + t.suffix + " is not a valid literal at " +
                                                std::to_string(t.pos));
        DataValue::Type type = t.suffix == "d"    ? DataValue::Type::Date
                               : t.suffix == "dt" ? DataValue::Type::DateTime
                                                  : DataValue::Type::Time;
        return B::const_(DataValue::create(type, v));
    }

    // In the position of a variable a double-quoted text is a variable; in the
    // position of a constant it is a string.
    ExprPtr parseOperand(bool variablePosition) {
        Token t = next();
        switch (t.kind) {
        case Token::DQUOTE:
            if (t.suffix == "n" || (t.suffix.empty() && variablePosition)) return B::var(t.text);
            if (t.suffix.empty()) return B::const_(DataValue::create(t.text));
            return typed(t);
        case Token::SQUOTE:
            if (t.suffix == "n") return B::var(t.text);
            if (t.suffix.empty()) return B::const_(DataValue::create(t.text));
            return typed(t);
        case Token::NUMBER: {
            double v;
            std::string_view s = t.text;
            if (!s.empty() && s.front() == '+') s.remove_prefix(1);
            auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
            if (ec != std::errc() || p != s.data() + s.size()) {
                --p_;
                fail("bad number \"" + t.text + "\"");
            }
            return B::const_(v);
        }
        case Token::DOT: return B::const_(DataValue::createMissing());
        case Token::WORD: {
            std::string u = t.text;
            for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (u == "_ALLOTHERS_") return B::const_(DataValue::createAllOthers());
            if (u == "_MATCHESALL_") return B::const_(DataValue::createMatchesAll());
            if (u == "_SPARSE_") return B::const_(DataValue::createSparse());
            if (!isReserved(t.text) && variablePosition) return B::var(t.text);
            --p_;
            fail("unexpected word \"" + t.text + "\"");
        }
        default: --p_; fail(variablePosition ? "expected a variable" : "expected a constant");
        }
    }

    std::vector<Token> t_;
    size_t p_ = 0;
    int depth_ = 0;
};

} // namespace

std::shared_ptr<Expression> ExpressionParser::parse(std::string_view text, std::string* error) {
    try {
        return Parser(Lexer(text).run()).run();
    } catch (const Failure& f) {
        if (error) *error = f.what();
        return nullptr;
    }
}

} // namespace orvane
