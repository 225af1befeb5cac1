// tmx-xml.cpp -- the XML reader and escaper behind the Tiled map files: bounded, no recursion while reading.
#include <cstring>
#include <unordered_set>
#include "tmx-xml.h"

namespace {

bool isNameChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':' || c >= 0x80;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void putUtf8(std::string& out, unsigned long cp)
{
    if (cp < 0x80) {
        out += (char)cp;
    } else if (cp < 0x800) {
        out += (char)(0xC0 | (cp >> 6));
        out += (char)(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += (char)(0xE0 | (cp >> 12));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    } else {
        out += (char)(0xF0 | (cp >> 18));
        out += (char)(0x80 | ((cp >> 12) & 0x3F));
        out += (char)(0x80 | ((cp >> 6) & 0x3F));
        out += (char)(0x80 | (cp & 0x3F));
    }
}

// Walks the document once, keeping the line number and the first error.
class Reader
{
public:
    Reader(const std::string& t) : s(t) {}

    const std::string& s;
    size_t at = 0;
    int line = 1;
    std::string error;

    bool fail(const std::string& what)
    {
        if (error.empty())
            error = "line " + std::to_string(line) + ": " + what;
        return false;
    }
    bool atEnd() const { return at >= s.size(); }
    bool startsWith(const char* p) const { return s.compare(at, strlen(p), p) == 0; }
    void advance(size_t n)
    {
        for (size_t i = 0; i < n && at < s.size(); i++, at++)
            if (s[at] == '\n')
                line++;
    }
    void skipSpace()
    {
        while (!atEnd() && isSpace(s[at]))
            advance(1);
    }
    // Moves past the next `end`; false when the document stops first.
    bool skipPast(const char* end, std::string* taken = nullptr)
    {
        size_t e = s.find(end, at);
        if (e == std::string::npos)
            return fail(std::string("the document ends before \"") + end + "\"");
        if (taken)
            taken->append(s, at, e - at);
        advance(e - at + strlen(end));
        return true;
    }
    bool readName(std::string& name)
    {
        size_t start = at;
        while (!atEnd() && isNameChar((unsigned char)s[at]))
            at++;
        if (at == start)
            return fail("a name was expected");
        name.assign(s, start, at - start);
        return true;
    }
    // Appends the character data up to `stop` (exclusive), decoding entities.
    bool readText(char stop, std::string& out)
    {
        while (!atEnd() && s[at] != stop) {
            char c = s[at];
            if (c == '<' && stop != '<')
                return fail("'<' inside an attribute value");
            if (c != '&') {
                out += c;
                advance(1);
                continue;
            }
            size_t semi = s.find(';', at);
            if (semi == std::string::npos || semi - at > 12)
                return fail("an '&' that starts no entity");
            std::string ent = s.substr(at + 1, semi - at - 1);
            if (ent == "lt") out += '<';
            else if (ent == "gt") out += '>';
            else if (ent == "amp") out += '&';
            else if (ent == "quot") out += '"';
            else if (ent == "apos") out += '\'';
            else if (ent.size() > 1 && ent[0] == '#') {
                bool hex = ent[1] == 'x';
                size_t i = hex ? 2 : 1;
                unsigned long cp = 0;
                if (i >= ent.size())
                    return fail("an empty character reference");
                for (; i < ent.size(); i++) {
                    char d = ent[i];
                    int v = d >= '0' && d <= '9' ? d - '0'
                          : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                          : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
                    if (v < 0)
                        return fail("a bad character reference &" + ent + ";");
                    cp = cp * (hex ? 16 : 10) + (unsigned long)v;
                    if (cp > 0x10FFFF)
                        return fail("a character reference beyond Unicode");
                }
                if (cp == 0)
                    return fail("a character reference to NUL");
                putUtf8(out, cp);
            } else {
                return fail("an unknown entity &" + ent + ";");
            }
            advance(semi - at + 1);
        }
        return true;
    }
    // Reads attributes up to '>' or "/>"; sets `closed` for the latter.
    bool readAttributes(XmlNode& n, bool& closed)
    {
        std::unordered_set<std::string> keys;
        for (;;) {
            skipSpace();
            if (atEnd())
                return fail("the document ends inside <" + n.name + ">");
            if (startsWith("/>")) {
                advance(2);
                closed = true;
                return true;
            }
            if (s[at] == '>') {
                advance(1);
                closed = false;
                return true;
            }
            std::string key;
            if (!readName(key))
                return false;
            skipSpace();
            if (atEnd() || s[at] != '=')
                return fail("attribute " + key + " has no value");
            advance(1);
            skipSpace();
            if (atEnd() || (s[at] != '"' && s[at] != '\''))
                return fail("attribute " + key + " is not quoted");
            char q = s[at];
            advance(1);
            std::string value;
            if (!readText(q, value))
                return false;
            if (atEnd())
                return fail("the document ends inside attribute " + key);
            advance(1);
            if (!keys.insert(key).second)
                return fail("attribute " + key + " given twice");
            if (keys.size() > XML_ATTRIBUTES_MAX)
                return fail("more than " + std::to_string(XML_ATTRIBUTES_MAX) + " attributes in <" + n.name + ">");
            n.attrs.emplace_back(key, value);
        }
    }
};

} // namespace

const std::string* XmlNode::attr(const char* key) const
{
    for (const auto& a : attrs)
        if (a.first == key)
            return &a.second;
    return nullptr;
}

const XmlNode* XmlNode::child(const char* childName) const
{
    for (const XmlNode& c : children)
        if (c.name == childName)
            return &c;
    return nullptr;
}

// The open elements are kept on a stack of pointers: a parent's list of
// children only grows while that parent is the innermost open element, so
// the pointers to the ones still open stay valid.
bool parseXml(const std::string& text, XmlNode& root, std::string& error)
{
    Reader r(text);
    root = XmlNode();
    if (r.startsWith("\xEF\xBB\xBF"))
        r.at = 3;
    std::vector<XmlNode*> open;
    bool haveRoot = false;
    size_t elements = 0;
    while (!r.atEnd() && r.error.empty()) {
        if (r.s[r.at] != '<') {
            if (open.empty()) {
                if (!isSpace(r.s[r.at])) {
                    r.fail("text outside the document's element");
                    break;
                }
                r.advance(1);
                continue;
            }
            if (!r.readText('<', open.back()->text))
                break;
            continue;
        }
        if (r.startsWith("<?")) {
            r.skipPast("?>");
        } else if (r.startsWith("<!--")) {
            r.skipPast("-->");
        } else if (r.startsWith("<![CDATA[")) {
            if (open.empty()) {
                r.fail("CDATA outside the document's element");
                break;
            }
            r.advance(9);
            r.skipPast("]]>", &open.back()->text);
        } else if (r.startsWith("<!")) {
            r.fail("document type declarations are not read");
        } else if (r.startsWith("</")) {
            r.advance(2);
            std::string name;
            if (!r.readName(name))
                break;
            r.skipSpace();
            if (r.atEnd() || r.s[r.at] != '>') {
                r.fail("a closing tag </" + name + " that does not end in '>'");
                break;
            }
            r.advance(1);
            if (open.empty() || open.back()->name != name) {
                r.fail("</" + name + "> closes no open <" + name + ">");
                break;
            }
            open.pop_back();
        } else {
            r.advance(1);
            if (open.empty() && haveRoot) {
                r.fail("a second element after the document's element");
                break;
            }
            if (++elements > XML_ELEMENTS_MAX) {
                r.fail("more than " + std::to_string(XML_ELEMENTS_MAX) + " elements");
                break;
            }
            if ((int)open.size() >= XML_DEPTH_MAX) {
                r.fail("elements nested more than " + std::to_string(XML_DEPTH_MAX) + " deep");
                break;
            }
            XmlNode* n;
            if (open.empty()) {
                n = &root;
                haveRoot = true;
            } else {
                open.back()->children.emplace_back();
                n = &open.back()->children.back();
            }
            n->line = r.line;
            if (!r.readName(n->name))
                break;
            bool closed = false;
            if (!r.readAttributes(*n, closed))
                break;
            if (!closed)
                open.push_back(n);
        }
    }
    if (r.error.empty() && !open.empty())
        r.fail("the document ends before </" + open.back()->name + ">");
    if (r.error.empty() && !haveRoot)
        r.fail("no element in the document");
    error = r.error;
    return error.empty();
}

std::string xmlEscape(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); i++) {
        unsigned char c = (unsigned char)s[i];
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else if (c < 0x20) out += '?';
        else if (c < 0x80) out += (char)c;
        else {
            // Keep a whole, shortest-form UTF-8 sequence; anything else is not text.
            int n = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
            bool ok = n > 0;
            for (int k = 1; ok && k <= n; k++)
                ok = i + k < s.size() && ((unsigned char)s[i + k] & 0xC0) == 0x80;
            if (ok && n == 2) {
                unsigned char d = (unsigned char)s[i + 1];
                ok = !(c == 0xE0 && d < 0xA0) && !(c == 0xED && d >= 0xA0);
            }
            if (ok && n == 3) {
                unsigned char d = (unsigned char)s[i + 1];
                ok = !(c == 0xF0 && d < 0x90) && !(c == 0xF4 && d >= 0x90);
            }
            if (!ok) {
                out += '?';
                continue;
            }
            out.append(s, i, n + 1);
            i += n;
        }
    }
    return out;
}
