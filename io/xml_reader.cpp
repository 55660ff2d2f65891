#include "xml_reader.h"

#include <orcus/exception.hpp>
#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

#include "book_limits.h"
#include "layout_book.h"
#include "message_text.h"

namespace shaftline::io {

namespace {

std::string_view Uri(orcus::xmlns_id_t ns) {
    return ns == orcus::XMLNS_UNKNOWN_ID || ns == nullptr ? std::string_view{} : ns;
}

// Attributes reach the handler before their element; they are kept until it starts.
class Relay {
  public:
    Relay(XmlHandler& handler, std::string_view partName) : handler_(handler), part_(partName) {}

    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void attribute(std::string_view, std::string_view) {}

    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        attributes_.push_back(XmlAttribute{std::string(Uri(attribute.ns)),
                                           std::string(attribute.name),
                                           std::string(attribute.value)});
    }

    void start_element(const orcus::sax_ns_parser_element& element) {
        if (++depth_ > kMaxXmlDepth) {
            throw BookFormatError("часть «" + QuotedForMessage(part_) + "» вложена глубже " +
                                  std::to_string(kMaxXmlDepth) + " уровней");
        }
        handler_.Start(XmlElement{Uri(element.ns), element.name, attributes_});
        attributes_.clear();
    }

    void end_element(const orcus::sax_ns_parser_element& element) {
        --depth_;
        handler_.End(Uri(element.ns), element.name);
    }

    void characters(std::string_view text, bool) { handler_.Characters(text); }

  private:
    XmlHandler& handler_;
    std::string_view part_;
    std::vector<XmlAttribute> attributes_;
    std::size_t depth_ = 0;
};

[[noreturn]] void RefuseBrokenPart(std::string_view partName) {
    throw BookFormatError("часть «" + QuotedForMessage(partName) +
                          "» книги повреждена: неверный XML");
}

}  // namespace

const std::string* XmlElement::Attribute(std::string_view wanted, std::string_view wantedNs) const {
    for (const XmlAttribute& a : attributes) {
        if (a.name == wanted && (wantedNs.empty() || a.ns == wantedNs)) return &a.value;
    }
    return nullptr;
}

void ParseXml(std::string_view xml, std::string_view partName, XmlHandler& handler) {
    if (xml.empty()) RefuseBrokenPart(partName);
    orcus::xmlns_repository repository;
    orcus::xmlns_context context = repository.create_context();
    Relay relay(handler, partName);
    orcus::sax_ns_parser<Relay> parser(xml.data(), xml.size(), context, relay);
    try {
        parser.parse();
    } catch (const orcus::general_error&) {
        RefuseBrokenPart(partName);
    }
}

}  // namespace shaftline::io
