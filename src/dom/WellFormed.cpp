// The short way for body content that needs none of the HTML5 tree builder's
// repairs: every element closed by its own end tag in the right order, tables
// written out with their row groups, options only in selects, the few
// character references a serializer writes. The markup of form files and of
// the designer's templates is of this kind, and it is by far the bulk of what
// the headless page parses. Anything else (comments, paragraphs, misnesting,
// implied tags, unusual references or characters) gives up, and the caller
// parses with the full parser; the tree is the same either way.
#include "dom/WellFormed.h"

#include "dom/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace zolt::dom {
namespace {

using namespace std::string_view_literals;

// Elements with no end tag.
constexpr std::array kVoid = {"area"sv, "br"sv, "embed"sv, "hr"sv, "img"sv, "input"sv,
                              "param"sv, "source"sv, "track"sv, "wbr"sv};
// Elements the tree builder places without any side effect in body content
// (none of them is open while a paragraph could be, as paragraphs give up).
constexpr std::array kPlain = {
    "div"sv, "span"sv, "label"sv, "center"sv, "ul"sv, "ol"sv, "dl"sv, "fieldset"sv, "legend"sv,
    "address"sv, "article"sv, "aside"sv, "blockquote"sv, "details"sv, "dialog"sv, "figcaption"sv,
    "figure"sv, "footer"sv, "header"sv, "hgroup"sv, "main"sv, "menu"sv, "nav"sv, "section"sv,
    "summary"sv, "dir"sv, "sub"sv, "sup"sv, "abbr"sv, "acronym"sv, "cite"sv, "dfn"sv, "kbd"sv,
    "samp"sv, "var"sv, "q"sv, "bdi"sv, "bdo"sv, "mark"sv, "time"sv, "data"sv, "ins"sv, "del"sv,
    // formatting elements: closed in order, they never need reconstructing
    "b"sv, "big"sv, "code"sv, "em"sv, "font"sv, "i"sv, "s"sv, "small"sv, "strike"sv, "strong"sv,
    "tt"sv, "u"sv};

// Elements that end the search for an open list item.
constexpr std::array kItemBoundaries = {"ul"sv, "ol"sv, "dl"sv, "table"sv, "td"sv, "th"sv, "button"sv, "select"sv};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Valid UTF-8 with no character the tokenizer treats specially: no NUL or
// other control characters besides tab, line feed and carriage return, no C1
// controls and no noncharacters.
bool plainCharacters(std::string_view s) {
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* end = p + s.size();
    while (p < end) {
        unsigned char c = *p;
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F) return false;
            ++p;
            continue;
        }
        int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        if (length == 0 || c > 0xF4 || end - p < length) return false;
        std::uint32_t cp = c & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[k] & 0x3F);
        }
        if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp < 0xA0 || (cp >= 0xFDD0 && cp <= 0xFDEF) ||
            (cp & 0xFFFE) == 0xFFFE) {
            return false;
        }
        p += length;
    }
    return true;
}

// The named references a serializer writes, each with its semicolon.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kNamed = {{
    {"amp;", "&"}, {"lt;", "<"}, {"gt;", ">"}, {"quot;", "\""}, {"apos;", "'"}, {"nbsp;", "\xC2\xA0"}}};

// Text as the tokenizer hands it on: CR LF and CR become LF, references are
// replaced. False for a reference this parser leaves to the full one.
bool decodeText(std::string_view raw, std::string& out) {
    out.clear();
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::size_t special = std::min(raw.find_first_of("&\r", i), raw.size());
        out.append(raw.substr(i, special - i));
        i = special;
        if (i == raw.size()) break;
        if (raw[i] == '\r') {
            out += '\n';
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else if (i + 1 < raw.size() && (isAlpha(raw[i + 1]) || isDigit(raw[i + 1]))) {
            std::string_view rest = raw.substr(i + 1);
            auto named = std::find_if(kNamed.begin(), kNamed.end(),
                                      [&](const auto& n) { return rest.substr(0, n.first.size()) == n.first; });
            if (named == kNamed.end()) return false;
            out += named->second;
            i += named->first.size();
        } else if (i + 1 < raw.size() && raw[i + 1] == '#') {
            std::size_t k = i + 2;
            const bool hex = k < raw.size() && (raw[k] == 'x' || raw[k] == 'X');
            if (hex) ++k;
            std::uint32_t cp = 0;
            std::size_t digits = 0;
            for (; k < raw.size() && digits < 7; ++k, ++digits) {
                char d = lower(raw[k]);
                if (isDigit(d)) cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d - '0');
                else if (hex && d >= 'a' && d <= 'f') cp = cp * 16 + static_cast<std::uint32_t>(d - 'a' + 10);
                else break;
            }
            const bool usual = cp == '\t' || cp == '\n' || (cp >= 0x20 && cp < 0x7F) ||
                               (cp >= 0xA0 && cp < 0xD800) || (cp >= 0xE000 && cp < 0xFDD0) ||
                               (cp > 0xFDEF && cp < 0xFFFE) || (cp >= 0x10000 && cp <= 0x10FFFF && (cp & 0xFFFE) != 0xFFFE);
            if (digits == 0 || k >= raw.size() || raw[k] != ';' || !usual) return false;
            appendUtf8(out, cp);
            i = k;
        } else {
            out += '&';  // a lone ampersand stays as it is
        }
    }
    return true;
}

// ASCII letters in lower case, as the tokenizer gives tag and attribute names.
std::string lowerName(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = lower(c);
    return out;
}

class Parser {
public:
    explicit Parser(std::string_view in) : in_(in) { open_.push_back(&holder_); }

    std::optional<std::vector<std::unique_ptr<Node>>> run() {
        while (pos_ < in_.size()) {
            if (in_[pos_] != '<') {
                std::size_t end = std::min(in_.find('<', pos_), in_.size());
                if (!text(in_.substr(pos_, end - pos_))) return std::nullopt;
                pos_ = end;
            } else if (pos_ + 1 < in_.size() && isAlpha(in_[pos_ + 1])) {
                if (!startTag()) return std::nullopt;
            } else if (pos_ + 2 < in_.size() && in_[pos_ + 1] == '/' && isAlpha(in_[pos_ + 2])) {
                if (!endTag()) return std::nullopt;
            } else {
                return std::nullopt;  // comments, doctypes and a lone "<"
            }
        }
        if (open_.size() != 1) return std::nullopt;
        return holder_.takeChildren();
    }

private:
    enum class Mode { Body, Table, RowGroup, Row, Select, Option };

    Mode mode() const {
        const std::string& n = open_.back()->name;
        if (open_.size() == 1) return Mode::Body;
        if (n == "table") return Mode::Table;
        if (n == "tbody" || n == "thead" || n == "tfoot") return Mode::RowGroup;
        if (n == "tr") return Mode::Row;
        if (n == "select" || n == "optgroup") return Mode::Select;
        if (n == "option") return Mode::Option;
        return Mode::Body;
    }

    bool text(std::string_view raw) {
        if (!decodeText(raw, scratch_)) return false;
        const Mode m = mode();
        if ((m == Mode::Table || m == Mode::RowGroup || m == Mode::Row) &&
            !std::all_of(scratch_.begin(), scratch_.end(), isSpace)) {
            return false;  // would be moved in front of the table
        }
        appendText(*open_.back(), scratch_);
        return true;
    }

    static void appendText(Node& parent, const std::string& text) {
        if (text.empty()) return;
        if (!parent.children.empty() && parent.children.back()->kind == NodeKind::Text) {
            parent.children.back()->data += text;
        } else {
            parent.appendChild(Node::makeText(text));
        }
    }

    void skipSpace() {
        while (pos_ < in_.size() && isSpace(in_[pos_])) ++pos_;
    }

    std::string name() {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != '/' && in_[pos_] != '>') ++pos_;
        return lowerName(in_.substr(start, pos_ - start));
    }

    // Attributes up to and including ">"; the first of two with one name counts.
    bool attributes(Node& element, bool& selfClosing) {
        for (;;) {
            skipSpace();
            if (pos_ >= in_.size()) return false;
            if (in_[pos_] == '>') {
                ++pos_;
                return true;
            }
            if (in_[pos_] == '/') {
                if (pos_ + 1 >= in_.size() || in_[pos_ + 1] != '>') return false;
                selfClosing = true;
                pos_ += 2;
                return true;
            }
            const std::size_t nameStart = pos_;
            while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != '/' && in_[pos_] != '>' &&
                   in_[pos_] != '=') {
                char c = in_[pos_++];
                if (c == '"' || c == '\'' || c == '<') return false;
            }
            if (pos_ == nameStart) return false;
            std::string attrName = lowerName(in_.substr(nameStart, pos_ - nameStart));
            skipSpace();
            std::string value;
            if (pos_ < in_.size() && in_[pos_] == '=') {
                ++pos_;
                skipSpace();
                if (pos_ >= in_.size() || in_[pos_] == '>') return false;
                const char quote = in_[pos_];
                std::string_view raw;
                if (quote == '"' || quote == '\'') {
                    std::size_t end = in_.find(quote, pos_ + 1);
                    if (end == std::string_view::npos) return false;
                    raw = in_.substr(pos_ + 1, end - pos_ - 1);
                    pos_ = end + 1;
                    if (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != '/' && in_[pos_] != '>') {
                        return false;
                    }
                } else {
                    std::size_t start = pos_;
                    while (pos_ < in_.size() && !isSpace(in_[pos_]) && in_[pos_] != '>') {
                        char c = in_[pos_++];
                        if (c == '"' || c == '\'' || c == '<' || c == '=' || c == '`') return false;
                    }
                    raw = in_.substr(start, pos_ - start);
                }
                if (!decodeText(raw, value)) return false;
            }
            if (!element.findAttr(attrName)) element.attrs.push_back({std::move(attrName), std::move(value)});
        }
    }

    bool isOpen(std::string_view tag) const {
        return std::any_of(open_.begin() + 1, open_.end(), [&](const Node* n) { return n->name == tag; });
    }

    // Whether an element of this name may start here without the tree
    // builder doing anything but placing it.
    bool placesPlainly(const std::string& tag) const {
        const std::string& current = open_.back()->name;
        switch (mode()) {
        case Mode::Table: return tag == "tbody" || tag == "thead" || tag == "tfoot" || tag == "tr";
        case Mode::RowGroup: return tag == "tr";
        case Mode::Row: return tag == "td" || tag == "th";
        case Mode::Select: return tag == "option" || (tag == "optgroup" && current == "select");
        case Mode::Option: return false;
        case Mode::Body: break;
        }
        if (among(kVoid, tag) || among(kPlain, tag) || tag == "table" || tag == "textarea") return true;
        if (tag == "a" || tag == "button" || tag == "select") return !isOpen(tag);
        if (tag == "li") return !openItem({"li"});
        if (tag == "dd" || tag == "dt") return !openItem({"dd", "dt"});
        return false;
    }

    // Whether a list item of these names is open where a new one would
    // close it: below the nearest list, table cell or the like.
    bool openItem(std::initializer_list<std::string_view> items) const {
        for (auto it = open_.rbegin(); it + 1 != open_.rend(); ++it) {
            const std::string& n = (*it)->name;
            if (std::find(items.begin(), items.end(), n) != items.end()) return true;
            if (among(kItemBoundaries, n)) return false;
        }
        return false;
    }

    bool startTag() {
        ++pos_;
        auto element = Node::makeElement(name());
        bool selfClosing = false;
        if (!attributes(*element, selfClosing) || !placesPlainly(element->name)) return false;
        const bool isVoid = among(kVoid, element->name);
        if (selfClosing && !isVoid) return false;
        if (element->name == "tr" && mode() == Mode::Table) {
            // A row straight in a table gets the row group the tree builder
            // adds, closed again by the table's end tag.
            open_.push_back(open_.back()->appendChild(Node::makeElement("tbody")));
            implied_.push_back(open_.back());
        }
        Node* placed = open_.back()->appendChild(std::move(element));
        if (placed->name == "textarea") return textareaContent(*placed);
        if (!isVoid) open_.push_back(placed);
        return true;
    }

    // A textarea's text runs to its end tag, references replaced; a line
    // break right after the start tag is dropped.
    bool textareaContent(Node& area) {
        constexpr std::string_view kEnd = "</textarea>";
        std::size_t end = pos_;
        for (;; ++end) {
            end = in_.find("</", end);
            if (end == std::string_view::npos || in_.size() - end < kEnd.size()) return false;
            std::size_t k = 0;
            while (k < kEnd.size() && lower(in_[end + k]) == kEnd[k]) ++k;
            if (k == kEnd.size()) break;
        }
        if (!decodeText(in_.substr(pos_, end - pos_), scratch_)) return false;
        if (!scratch_.empty() && scratch_[0] == '\n') scratch_.erase(0, 1);
        appendText(area, scratch_);
        pos_ = end + kEnd.size();
        return true;
    }

    bool endTag() {
        pos_ += 2;
        const std::string tag = name();
        skipSpace();
        if (pos_ >= in_.size() || in_[pos_] != '>') return false;
        ++pos_;
        if (tag == "table" && !implied_.empty() && open_.back() == implied_.back()) {
            implied_.pop_back();
            open_.pop_back();
        }
        if (open_.size() == 1 || open_.back()->name != tag) return false;
        open_.pop_back();
        return true;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    Node holder_{NodeKind::Element};
    std::vector<Node*> open_;
    std::vector<const Node*> implied_;  // row groups the markup did not write, innermost last
    std::string scratch_;
};

}  // namespace

std::optional<std::vector<std::unique_ptr<Node>>> parseWellFormedBody(std::string_view html) {
    if (!plainCharacters(html)) return std::nullopt;
    return Parser(html).run();
}

}  // namespace zolt::dom
