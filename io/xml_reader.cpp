// The XML parts are read with libxml2's SAX2 parser: no DTD is loaded, no entity of the
// document is resolved, nothing is fetched from a network, and its messages are kept off the
// terminal. Errors of the handler are carried round libxml2's C frames, never thrown through
// them.
#include "xml_reader.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <exception>
#include <mutex>

#include "book_limits.h"
#include "layout_book.h"
#include "message_text.h"

namespace shaftline::io {

namespace {

std::string_view View(const xmlChar* text) {
    return text == nullptr ? std::string_view{} : reinterpret_cast<const char*>(text);
}

std::string_view View(const xmlChar* begin, const xmlChar* end) {
    return {reinterpret_cast<const char*>(begin), static_cast<std::size_t>(end - begin)};
}

std::string PartText(std::string_view partName) {
    return "часть «" + QuotedForMessage(partName) + "»";
}

class Relay {
  public:
    Relay(XmlHandler& handler, std::string_view partName) : handler_(handler), part_(partName) {}

    void Parse(std::string_view xml);

  private:
    static Relay& Of(void* context) {
        return *static_cast<Relay*>(static_cast<xmlParserCtxtPtr>(context)->_private);
    }

    // Runs a handler call; an exception stops the parser and waits for its end.
    template <typename Call>
    void Guarded(Call call) {
        if (failure_) return;
        try {
            call();
        } catch (...) {
            failure_ = std::current_exception();
            xmlStopParser(context_);
        }
    }

    static void StartElement(void* context, const xmlChar* name, const xmlChar*, const xmlChar* uri,
                             int, const xmlChar**, int attributeCount, int,
                             const xmlChar** attributes) {
        Relay& relay = Of(context);
        relay.Guarded([&] {
            if (++relay.depth_ > kMaxXmlDepth) {
                throw BookFormatError(PartText(relay.part_) + " вложена глубже " +
                                      std::to_string(kMaxXmlDepth) + " уровней");
            }
            relay.attributes_.clear();
            for (int i = 0; i < attributeCount; ++i) {
                const xmlChar** a = attributes + 5 * i;  // name, prefix, URI, value, value end
                relay.attributes_.push_back(XmlAttribute{View(a[2]), View(a[0]), View(a[3], a[4])});
            }
            relay.handler_.Start(XmlElement{View(uri), View(name), relay.attributes_});
        });
    }

    static void EndElement(void* context, const xmlChar* name, const xmlChar*, const xmlChar* uri) {
        Relay& relay = Of(context);
        relay.Guarded([&] {
            --relay.depth_;
            relay.handler_.End(View(uri), View(name));
        });
    }

    static void Characters(void* context, const xmlChar* text, int length) {
        Relay& relay = Of(context);
        relay.Guarded([&] { relay.handler_.Characters(View(text, text + length)); });
    }

    static void Quiet(void*, xmlErrorPtr) {}

    XmlHandler& handler_;
    std::string_view part_;
    std::vector<XmlAttribute> attributes_;
    std::size_t depth_ = 0;
    xmlParserCtxtPtr context_ = nullptr;
    std::exception_ptr failure_;
};

[[noreturn]] void RefuseBrokenPart(std::string_view partName) {
    throw BookFormatError(PartText(partName) + " книги повреждена: неверный XML");
}

void Relay::Parse(std::string_view xml) {
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });

    xmlSAXHandler sax{};
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = StartElement;
    sax.endElementNs = EndElement;
    sax.characters = Characters;
    sax.cdataBlock = Characters;
    sax.serror = Quiet;

    context_ = xmlCreateMemoryParserCtxt(xml.data(), static_cast<int>(xml.size()));
    if (context_ == nullptr) throw std::bad_alloc();
    xmlCtxtUseOptions(context_, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlSAXHandlerPtr ownSax = context_->sax;
    context_->sax = &sax;
    context_->_private = this;
    xmlParseDocument(context_);
    const bool wellFormed = context_->wellFormed != 0;
    context_->sax = ownSax;
    xmlFreeParserCtxt(context_);
    context_ = nullptr;

    if (failure_) std::rethrow_exception(failure_);
    if (!wellFormed) RefuseBrokenPart(part_);
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
    Relay(handler, partName).Parse(xml);
}

}  // namespace shaftline::io
