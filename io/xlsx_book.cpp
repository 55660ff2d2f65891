// The .xlsx reader: the package relationships lead to the workbook part, the workbook part
// lists the sheets, its relationships lead to each sheet's part and the shared strings.
#include <map>

#include "book_limits.h"
#include "cell_values.h"
#include "message_text.h"
#include "shaft_line.h"
#include "xml_reader.h"
#include "zip_book.h"

namespace shaftline::io {

namespace {

struct Relationship {
    std::string type;
    std::string target;  ///< member name within the package
};

// "xl/" and "worksheets/sheet1.xml" give "xl/worksheets/sheet1.xml"; a target that starts
// with '/' is taken from the package root; "." and ".." are resolved.
std::string ResolvePart(std::string_view folder, std::string_view target) {
    std::string joined = target.starts_with('/') ? std::string(target.substr(1))
                                                 : std::string(folder) + std::string(target);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        const std::size_t end = std::min(joined.find('/', start), joined.size());
        const std::string part = joined.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string path;
    for (const std::string& part : parts) path += (path.empty() ? "" : "/") + part;
    return path;
}

std::string FolderOf(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

// "xl/workbook.xml" has its relationships in "xl/_rels/workbook.xml.rels".
std::string RelationshipsOf(std::string_view part) {
    const std::string folder = FolderOf(part);
    return folder + "_rels/" + std::string(part.substr(folder.size())) + ".rels";
}

bool TypeIs(std::string_view type, std::string_view kind) {
    return type.ends_with("/" + std::string(kind));
}

class RelationshipsHandler final : public XmlHandler {
  public:
    explicit RelationshipsHandler(std::string folder) : folder_(std::move(folder)) {}

    void Start(const XmlElement& e) override {
        if (e.name != "Relationship") return;
        const std::string_view* id = e.Attribute("Id");
        const std::string_view* type = e.Attribute("Type");
        const std::string_view* target = e.Attribute("Target");
        const std::string_view* mode = e.Attribute("TargetMode");
        if (id == nullptr || type == nullptr || target == nullptr ||
            (mode != nullptr && *mode == "External")) {
            return;
        }
        byId.emplace(*id, Relationship{std::string(*type), ResolvePart(folder_, *target)});
    }
    void End(std::string_view, std::string_view) override {}

    std::map<std::string, Relationship> byId;

  private:
    std::string folder_;
};

std::map<std::string, Relationship> ReadRelationships(const ZipArchive& archive,
                                                      std::string_view part) {
    const std::string name = RelationshipsOf(part);
    RelationshipsHandler handler(part.empty() ? std::string() : FolderOf(part));
    if (archive.Contains(name)) ParseXml(archive.Read(name), name, handler);
    return std::move(handler.byId);
}

struct SheetEntry {
    std::string name;
    std::string relationship;
};

// Only as many sheets as a shaft line has rotors are kept; the rest are only counted, for
// the refusal.
class WorkbookHandler final : public XmlHandler {
  public:
    void Start(const XmlElement& e) override {
        if (e.name != "sheet" || ++count > static_cast<std::size_t>(kMaxRotors)) return;
        const std::string_view* name = e.Attribute("name");
        const std::string_view* id = nullptr;
        for (const XmlAttribute& a : e.attributes) {
            if (a.name == "id" && a.ns.ends_with("relationships")) id = &a.value;
        }
        sheets.push_back({std::string(name ? *name : ""), std::string(id ? *id : "")});
    }
    void End(std::string_view, std::string_view) override {}

    std::vector<SheetEntry> sheets;
    std::size_t count = 0;
};

// <si> items, each the text of its <t> elements; phonetic runs (<rPh>) are no part of it.
class SharedStringsHandler final : public XmlHandler {
  public:
    void Start(const XmlElement& e) override {
        if (e.name == "si") {
            text_.Clear();
        } else if (e.name == "rPh") {
            ++phonetic_;
        } else if (e.name == "t") {
            inText_ = true;
        }
    }
    void End(std::string_view, std::string_view name) override {
        if (name == "si") {
            limit_.Add(strings, text_.Take());
        } else if (name == "rPh" && phonetic_ > 0) {
            --phonetic_;
        } else if (name == "t") {
            inText_ = false;
        }
    }
    void Characters(std::string_view text) override {
        if (inText_ && phonetic_ == 0) text_.Append(text, "строка общей таблицы");
    }

    std::vector<std::string> strings;

  private:
    SharedStringLimit limit_;
    LimitedText text_{kMaxSharedStringBytes};
    int phonetic_ = 0;
    bool inText_ = false;
};

// The cells of one sheet part: <row r> of <c r t> with <v> the value (or a formula's stored
// result, next to its <f>) and <is> an inline text.
class SheetHandler final : public XmlHandler {
  public:
    SheetHandler(LayoutSheet& sheet, const std::vector<std::string>& sharedStrings,
                 CellCounter& cells)
        : sheet_(sheet), sharedStrings_(sharedStrings), cells_(cells) {}

    void Start(const XmlElement& e) override {
        if (e.name == "row") {
            StartRow(e);
        } else if (e.name == "c") {
            StartCell(e);
        } else if (inCell_ && e.name == "v") {
            inValue_ = true;
            hasValue_ = true;
        } else if (inCell_ && e.name == "f") {
            hasFormula_ = true;
        } else if (inCell_ && e.name == "is") {
            inInline_ = true;
            hasValue_ = true;
        } else if (inInline_ && e.name == "rPh") {
            ++phonetic_;
        } else if (inInline_ && e.name == "t") {
            inInlineText_ = true;
        }
    }

    void End(std::string_view, std::string_view name) override {
        if (name == "c" && inCell_) {
            EndCell();
        } else if (name == "v") {
            inValue_ = false;
        } else if (name == "is") {
            inInline_ = false;
        } else if (name == "rPh" && phonetic_ > 0) {
            --phonetic_;
        } else if (name == "t") {
            inInlineText_ = false;
        }
    }

    void Characters(std::string_view text) override {
        if (!kept_) return;
        if (inValue_ || (inInlineText_ && phonetic_ == 0)) {
            text_.Append(text, "текст ячейки " + CellName(at_.row, at_.column));
        }
    }

  private:
    void StartRow(const XmlElement& e) {
        const std::string_view* r = e.Attribute("r");
        std::optional<double> number = r ? ParseXmlNumber(*r) : std::nullopt;
        row_ =
            number && *number >= 1 && *number <= 1048576 ? static_cast<int>(*number) - 1 : row_ + 1;
        nextColumn_ = 0;
    }

    void StartCell(const XmlElement& e) {
        const std::string_view* r = e.Attribute("r");
        if (r != nullptr) {
            const std::optional<CellPosition> position = ParseCellReference(*r);
            if (!position) {
                throw BookFormatError("неверная ссылка на ячейку «" + QuotedForMessage(*r) + "»");
            }
            at_ = *position;
        } else {
            at_ = {std::max(row_, 0), nextColumn_};
        }
        nextColumn_ = at_.column + 1;
        const std::string_view* t = e.Attribute("t");
        type_ = t ? *t : "n";
        inCell_ = true;
        hasFormula_ = false;
        hasValue_ = false;
        inValue_ = false;
        kept_ = sheet_.Contains(at_.row, at_.column);
        text_.Clear();
    }

    [[noreturn]] void Refuse(const std::string& reason) const {
        throw BookFormatError("в ячейке " + CellName(at_.row, at_.column) + " " + reason);
    }

    void EndCell() {
        inCell_ = false;
        inValue_ = false;
        inInline_ = false;
        if (!kept_) {
            if (hasFormula_ || hasValue_) cells_.Count();
            return;
        }
        const std::string value = text_.Take();
        if (type_ == "inlineStr") {
            cells_.Count();
            sheet_.SetText(at_.row, at_.column, value);
            return;
        }
        if (value.empty() && !hasFormula_) {
            sheet_.SetEmpty(at_.row, at_.column);
            return;
        }
        cells_.Count();
        if (type_ == "str") {
            sheet_.SetText(at_.row, at_.column, value);
        } else if (value.empty()) {
            Refuse("нет сохранённого результата формулы");
        } else if (type_ == "s") {
            const std::optional<double> index = ParseXmlNumber(value);
            if (!index || *index < 0 || *index >= static_cast<double>(sharedStrings_.size()) ||
                *index != static_cast<std::uint32_t>(*index)) {
                Refuse("ссылка на отсутствующую строку общей таблицы");
            }
            sheet_.SetSharedText(at_.row, at_.column, static_cast<std::uint32_t>(*index));
        } else if (type_ == "b") {
            sheet_.SetBoolean(at_.row, at_.column, value != "0" && value != "false");
        } else if (type_ == "e") {
            sheet_.SetError(at_.row, at_.column, value);
        } else {
            const std::optional<double> number =
                type_ == "d" ? SerialFromIsoDate(value) : ParseXmlNumber(value);
            if (!number) Refuse("не число: «" + QuotedForMessage(value) + "»");
            sheet_.SetNumber(at_.row, at_.column, *number);
        }
    }

    LayoutSheet& sheet_;
    const std::vector<std::string>& sharedStrings_;
    CellCounter& cells_;
    LimitedText text_{kMaxBookTextBytes};
    CellPosition at_;
    std::string type_;
    int row_ = -1;
    int nextColumn_ = 0;
    int phonetic_ = 0;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool inInlineText_ = false;
    bool hasFormula_ = false;
    bool hasValue_ = false;
    bool kept_ = false;
};

SheetKind KindOf(const Relationship& relationship) {
    if (TypeIs(relationship.type, "worksheet")) return SheetKind::Worksheet;
    if (TypeIs(relationship.type, "chartsheet")) return SheetKind::Chart;
    return SheetKind::Other;
}

std::string MainPart(const ZipArchive& archive) {
    for (const auto& [id, relationship] : ReadRelationships(archive, "")) {
        if (TypeIs(relationship.type, "officeDocument")) return relationship.target;
    }
    throw BookFormatError("в пакете .xlsx нет книги");
}

}  // namespace

LayoutBook ReadXlsxLayout(const ZipArchive& archive) {
    const std::string workbookPart = MainPart(archive);
    if (workbookPart.ends_with(".bin")) {
        throw BookFormatError("двоичная книга .xlsb не читается; сохраните её как .xlsx");
    }
    WorkbookHandler workbook;
    ParseXml(archive.Read(workbookPart), workbookPart, workbook);
    CheckSheetCount(workbook.count);
    const std::map<std::string, Relationship> relationships =
        ReadRelationships(archive, workbookPart);

    LayoutBook book;
    for (const auto& [id, relationship] : relationships) {
        if (TypeIs(relationship.type, "sharedStrings") && archive.Contains(relationship.target)) {
            SharedStringsHandler strings;
            ParseXml(archive.Read(relationship.target), relationship.target, strings);
            book.sharedStrings = std::move(strings.strings);
        }
    }

    CellCounter cells;
    for (std::size_t k = 0; k < workbook.sheets.size(); ++k) {
        const SheetEntry& entry = workbook.sheets[k];
        const auto it = relationships.find(entry.relationship);
        try {
            if (it == relationships.end() || !archive.Contains(it->second.target)) {
                throw BookFormatError("в книге нет части с ячейками листа");
            }
            book.sheets.emplace_back(entry.name, KindOf(it->second));
            if (book.sheets.back().Kind() != SheetKind::Worksheet) continue;
            SheetHandler handler(book.sheets.back(), book.sharedStrings, cells);
            ParseXml(archive.Read(it->second.target), it->second.target, handler);
        } catch (const BookFormatError& e) {
            if (e.SheetIndex()) throw;
            throw BookFormatError(e.what(), k, entry.name);
        }
    }
    return book;
}

}  // namespace shaftline::io
