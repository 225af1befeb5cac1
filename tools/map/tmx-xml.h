// tmx-xml.h -- a small XML reader for Tiled's map files: elements, attributes and text, nothing more.
#pragma once
#include <string>
#include <utility>
#include <vector>

// One element of a document: its attributes in file order, its child
// elements and the character data directly inside it (entities decoded,
// CDATA included, comments dropped).
class XmlNode
{
public:
    std::string name;
    std::vector<std::pair<std::string, std::string>> attrs;
    std::vector<XmlNode> children;
    std::string text;
    int line = 0;   // where the element starts, counted from 1

    // The attribute's value, or null when the element has none of that name.
    const std::string* attr(const char* key) const;
    // The first child element of that name, or null.
    const XmlNode* child(const char* childName) const;
};

// Elements may nest this deep and no deeper; a Tiled map needs five.
const int XML_DEPTH_MAX = 64;
// A document holds at most this many elements, and an element this many
// attributes; a map of the game's size with every record on it needs far fewer.
const size_t XML_ELEMENTS_MAX = 1000000;   // about 140 MB of elements
const size_t XML_ATTRIBUTES_MAX = 1024;

// Reads a whole document into `root`. False when the text is not
// well-formed XML (or uses a document type declaration, which Tiled never
// writes), with `error` saying what and on which line.
bool parseXml(const std::string& text, XmlNode& root, std::string& error);

// The text with & < > " and control characters made safe for an attribute
// value; bytes that are not UTF-8 become '?', as XML allows only UTF-8 here.
std::string xmlEscape(const std::string& s);
