// The XML parts are read with expat, which needs no Unicode library of its own and is cheap to
// load at every start. A part that declares a document type is refused at its declaration: no
// spreadsheet program writes one, and its entities are how a few bytes of XML expand into
// gigabytes. Without a DTD only the five predefined entities and character references exist,
// and nothing is ever fetched. Errors of the handler are carried round expat's C frames, never
// thrown through them.
#include "xml_reader.h"

#include <expat.h>

#include <algorithm>
#include <exception>
#include <new>

#include "book_limits.h"
#include "layout_book.h"
#include "message_text.h"

namespace shaftline::io {

namespace {

// Between the namespace URI and the local name in the names expat hands over. A line feed is
// no part of a name, and the last one in a qualified name is the separator.
constexpr XML_Char kNamespaceSeparator = '\n';

struct QualifiedName {
    std::string_view ns;
    std::string_view name;
};

QualifiedName Split(const XML_Char* qualified) {
    const std::string_view text(qualified);
    const std::size_t at = text.rfind(kNamespaceSeparator);
    if (at == std::string_view::npos) return {{}, text};
    return {text.substr(0, at), text.substr(at + 1)};
}

std::string PartText(std::string_view partName) {
    return "часть «" + QuotedForMessage(partName) + "»";
}

// Where the markup that starts at `at` with `open` ends, past `close`; the end of the text when
// it never does.
std::size_t SkipPast(std::string_view xml, std::size_t at, std::string_view open,
                     std::string_view close) {
    const std::size_t end = xml.find(close, at + open.size());
    return end == std::string_view::npos ? xml.size() : end + close.size();
}

// The most attributes (namespace declarations among them) that one tag of the text has, counted
// as the '=' outside quoted values, once past `limit` no further. Comments, CDATA sections and
// processing instructions are stepped over. One pass over the bytes, far cheaper than the
// parser's work on each attribute: a part with thousands on one element is refused before it.
std::size_t MostAttributesOfOneTag(std::string_view xml, std::size_t limit) {
    std::size_t most = 0;
    std::size_t at = 0;
    while (most <= limit && (at = xml.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = xml.substr(at);
        if (rest.starts_with("<!--")) {
            at = SkipPast(xml, at, "<!--", "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            at = SkipPast(xml, at, "<![CDATA[", "]]>");
        } else if (rest.starts_with("<?")) {
            at = SkipPast(xml, at, "<?", "?>");
        } else {
            std::size_t count = 0;
            char quote = 0;
            for (++at; at < xml.size() && (quote != 0 || xml[at] != '>'); ++at) {
                const char c = xml[at];
                if (quote != 0) {
                    if (c == quote) quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '=') {
                    ++count;
                }
            }
            most = std::max(most, count);
        }
    }
    return most;
}

[[noreturn]] void RefuseBrokenPart(std::string_view partName) {
    throw BookFormatError(PartText(partName) + " книги повреждена: неверный XML");
}

[[noreturn]] void RefuseManyAttributes(std::string_view partName) {
    throw BookFormatError(PartText(partName) + " книги повреждена: у элемента больше " +
                          std::to_string(kMaxXmlAttributes) + " атрибутов");
}

class Parser {
  public:
    Parser() : parser_(XML_ParserCreateNS(nullptr, kNamespaceSeparator)) {
        if (parser_ == nullptr) throw std::bad_alloc();
    }
    ~Parser() { XML_ParserFree(parser_); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;
    XML_Parser get() const { return parser_; }

  private:
    XML_Parser parser_;
};

class Relay {
  public:
    Relay(XmlHandler& handler, std::string_view partName) : handler_(handler), part_(partName) {}

    void Parse(std::string_view xml);

  private:
    static Relay& Of(void* data) { return *static_cast<Relay*>(data); }

    // Runs a handler call; an exception stops the parser and waits for its end.
    template <typename Call>
    void Guarded(Call call) {
        if (failure_) return;
        try {
            call();
        } catch (...) {
            failure_ = std::current_exception();
            XML_StopParser(parser_, XML_FALSE);
        }
    }

    [[noreturn]] void Refuse(const std::string& reason) const {
        throw BookFormatError(PartText(part_) + " " + reason);
    }

    static void StartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
        Relay& relay = Of(data);
        relay.Guarded([&] {
            if (++relay.depth_ > kMaxXmlDepth) {
                relay.Refuse("вложена глубже " + std::to_string(kMaxXmlDepth) + " уровней");
            }
            relay.attributes_.clear();
            for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
                if (relay.attributes_.size() == kMaxXmlAttributes)
                    RefuseManyAttributes(relay.part_);
                const QualifiedName attribute = Split(a[0]);
                relay.attributes_.push_back(
                    XmlAttribute{attribute.ns, attribute.name, std::string_view(a[1])});
            }
            const QualifiedName element = Split(name);
            relay.handler_.Start(XmlElement{element.ns, element.name, relay.attributes_});
        });
    }

    static void EndElement(void* data, const XML_Char* name) {
        Relay& relay = Of(data);
        relay.Guarded([&] {
            --relay.depth_;
            const QualifiedName element = Split(name);
            relay.handler_.End(element.ns, element.name);
        });
    }

    static void Characters(void* data, const XML_Char* text, int length) {
        Relay& relay = Of(data);
        relay.Guarded([&] { relay.handler_.Characters({text, static_cast<std::size_t>(length)}); });
    }

    static void NamespaceDeclaration(void* data, const XML_Char*, const XML_Char*) {
        Relay& relay = Of(data);
        relay.Guarded([&] {
            if (++relay.namespaces_ > kMaxXmlNamespaceDeclarations) {
                relay.Refuse("книги повреждена: в ней больше " +
                             std::to_string(kMaxXmlNamespaceDeclarations) +
                             " объявлений пространств имён");
            }
        });
    }

    static void DocumentType(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        Relay& relay = Of(data);
        relay.Guarded(
            [&] { relay.Refuse("книги объявляет тип документа (DTD), а в книгах его не бывает"); });
    }

    XmlHandler& handler_;
    std::string_view part_;
    std::vector<XmlAttribute> attributes_;
    std::size_t depth_ = 0;
    std::size_t namespaces_ = 0;
    XML_Parser parser_ = nullptr;
    std::exception_ptr failure_;
};

void Relay::Parse(std::string_view xml) {
    const Parser parser;
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, StartElement, EndElement);
    XML_SetCharacterDataHandler(parser_, Characters);
    XML_SetStartNamespaceDeclHandler(parser_, NamespaceDeclaration);
    XML_SetStartDoctypeDeclHandler(parser_, DocumentType);
    const XML_Status status =
        XML_Parse(parser_, xml.data(), static_cast<int>(xml.size()), XML_TRUE);
    const bool outOfMemory = XML_GetErrorCode(parser_) == XML_ERROR_NO_MEMORY;
    parser_ = nullptr;

    if (failure_) std::rethrow_exception(failure_);
    if (outOfMemory) throw std::bad_alloc();
    if (status != XML_STATUS_OK) RefuseBrokenPart(part_);
}

}  // namespace

const std::string_view* XmlElement::Attribute(std::string_view wanted,
                                              std::string_view wantedNs) const {
    for (const XmlAttribute& a : attributes) {
        if (a.name == wanted && (wantedNs.empty() || a.ns == wantedNs)) return &a.value;
    }
    return nullptr;
}

void ParseXml(std::string_view xml, std::string_view partName, XmlHandler& handler) {
    if (xml.empty() || xml.size() > kMaxUnpackedBytes) RefuseBrokenPart(partName);
    if (MostAttributesOfOneTag(xml, kMaxXmlAttributes) > kMaxXmlAttributes) {
        RefuseManyAttributes(partName);
    }
    Relay(handler, partName).Parse(xml);
}

}  // namespace shaftline::io
