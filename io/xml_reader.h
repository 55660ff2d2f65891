#pragma once

#include <string>
#include <string_view>
#include <vector>

// The XML parts of .xlsx and .ods books, read as a stream of elements (SAX). Elements and
// attributes come with their local name and namespace URI; nesting deeper than kMaxXmlDepth
// is refused.

namespace shaftline::io {

/// Views into the parser's text, valid while the handler's Start runs.
struct XmlAttribute {
    std::string_view ns;  ///< namespace URI, empty for none
    std::string_view name;
    std::string_view value;
};

struct XmlElement {
    std::string_view ns;
    std::string_view name;
    const std::vector<XmlAttribute>& attributes;

    /// The value of the attribute, or nullptr. ns empty matches an attribute of any
    /// namespace.
    const std::string_view* Attribute(std::string_view name, std::string_view ns = {}) const;
};

class XmlHandler {
  public:
    virtual ~XmlHandler() = default;
    virtual void Start(const XmlElement& element) = 0;
    virtual void End(std::string_view ns, std::string_view name) = 0;
    /// Text between tags, entities resolved; may come in several pieces.
    virtual void Characters(std::string_view) {}
};

/// Throws BookFormatError naming the part when the XML is broken or nested too deep, and
/// passes on what the handler throws.
void ParseXml(std::string_view xml, std::string_view partName, XmlHandler& handler);

}  // namespace shaftline::io
