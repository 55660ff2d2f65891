// The .xlsx reader: the package relationships lead to the workbook part, the workbook part
// lists the sheets, its relationships lead to each sheet's part and the shared strings.
#include <cmath>
#include <map>
#include <set>

#include "book_limits.h"
#include "cell_values.h"
#include "message_text.h"
#include "shaft_line.h"
#include "xml_reader.h"
#include "zip_book.h"

namespace shaftline::io {

namespace {

// SpreadsheetML as Office writes it (transitional) and in its strict form.
constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kStrictMain = "http://purl.oclc.org/ooxml/spreadsheetml/main";
constexpr std::string_view kPackageRelationships =
    "http://schemas.openxmlformats.org/package/2006/relationships";

bool IsSpreadsheetMl(const XmlElement& e, std::string_view name) {
    return e.name == name && (e.ns == kMain || e.ns == kStrictMain);
}

bool IsSpreadsheetMl(std::string_view ns, std::string_view localName, std::string_view name) {
    return localName == name && (ns == kMain || ns == kStrictMain);
}

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
        if (e.name != "Relationship" || e.ns != kPackageRelationships) return;
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
        if (!IsSpreadsheetMl(e, "sheet") || ++count > static_cast<std::size_t>(kMaxRotors)) return;
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
        if (IsSpreadsheetMl(e, "si")) {
            text_.Clear();
        } else if (IsSpreadsheetMl(e, "rPh")) {
            ++phonetic_;
        } else if (IsSpreadsheetMl(e, "t")) {
            inText_ = true;
        }
    }
    void End(std::string_view ns, std::string_view name) override {
        if (IsSpreadsheetMl(ns, name, "si")) {
            limit_.Add(strings, text_.Take());
        } else if (IsSpreadsheetMl(ns, name, "rPh") && phonetic_ > 0) {
            --phonetic_;
        } else if (IsSpreadsheetMl(ns, name, "t")) {
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
// result, next to its <f>) and <is> an inline text. The part must be a SpreadsheetML
// <worksheet>; only its elements inside <sheetData> are cells, whatever other vocabularies
// or extensions hold.
class SheetHandler final : public XmlHandler {
  public:
    SheetHandler(LayoutSheet& sheet, const std::vector<std::string>& sharedStrings,
                 CellCounter& cells, TextBudget& textBudget)
        : sheet_(sheet), sharedStrings_(sharedStrings), cells_(cells), textBudget_(textBudget) {}

    void Start(const XmlElement& e) override {
        ++depth_;
        if (depth_ == 1) {
            if (!IsSpreadsheetMl(e, "worksheet")) {
                throw BookFormatError(
                    "часть книги с ячейками листа не является рабочим листом SpreadsheetML");
            }
        } else if (sheetDataDepth_ == 0) {
            if (depth_ == 2 && IsSpreadsheetMl(e, "sheetData")) sheetDataDepth_ = depth_;
        } else if (IsSpreadsheetMl(e, "row")) {
            StartRow(e);
        } else if (IsSpreadsheetMl(e, "c")) {
            StartCell(e);
        } else if (inCell_ && IsSpreadsheetMl(e, "v")) {
            inValue_ = true;
            hasValue_ = true;
        } else if (inCell_ && IsSpreadsheetMl(e, "f")) {
            hasFormula_ = true;
        } else if (inCell_ && IsSpreadsheetMl(e, "is")) {
            inInline_ = true;
            hasValue_ = true;
        } else if (inInline_ && IsSpreadsheetMl(e, "rPh")) {
            ++phonetic_;
        } else if (inInline_ && IsSpreadsheetMl(e, "t")) {
            inInlineText_ = true;
        }
    }

    void End(std::string_view ns, std::string_view name) override {
        if (depth_-- == sheetDataDepth_) {
            sheetDataDepth_ = 0;
        } else if (sheetDataDepth_ == 0) {
            return;
        } else if (inCell_ && IsSpreadsheetMl(ns, name, "c")) {
            EndCell();
        } else if (IsSpreadsheetMl(ns, name, "v")) {
            inValue_ = false;
        } else if (IsSpreadsheetMl(ns, name, "is")) {
            inInline_ = false;
        } else if (IsSpreadsheetMl(ns, name, "rPh") && phonetic_ > 0) {
            --phonetic_;
        } else if (IsSpreadsheetMl(ns, name, "t")) {
            inInlineText_ = false;
        }
    }

    void Characters(std::string_view text) override {
        if (!kept_) return;
        if (inValue_ || (inInlineText_ && phonetic_ == 0)) {
            text_.Append(text, [this] { return "текст ячейки " + CellName(at_.row, at_.column); });
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
            textBudget_.Count(value.size());
            sheet_.SetText(at_.row, at_.column, value);
            return;
        }
        if (value.empty() && !hasFormula_) {
            sheet_.SetEmpty(at_.row, at_.column);
            return;
        }
        cells_.Count();
        if (type_ == "str") {
            textBudget_.Count(value.size());
            sheet_.SetText(at_.row, at_.column, value);
        } else if (value.empty()) {
            Refuse("нет сохранённого результата формулы");
        } else if (type_ == "s") {
            const std::optional<std::uint32_t> index = SharedStringIndex(value);
            if (!index) Refuse("ссылка на отсутствующую строку общей таблицы");
            sheet_.SetSharedText(at_.row, at_.column, *index);
        } else if (type_ == "b") {
            sheet_.SetBoolean(at_.row, at_.column, value != "0" && value != "false");
        } else if (type_ == "e") {
            textBudget_.Count(value.size());
            sheet_.SetError(at_.row, at_.column, value);
        } else {
            const std::optional<double> number =
                type_ == "d" ? SerialFromIsoDate(value) : ParseXmlNumber(value);
            if (!number) Refuse("не число: «" + QuotedForMessage(value) + "»");
            sheet_.SetNumber(at_.row, at_.column, *number);
        }
    }

    // An index within the table; "nan", "1e300" or "1.5" never reach the conversion.
    std::optional<std::uint32_t> SharedStringIndex(std::string_view text) const {
        const std::optional<double> index = ParseXmlNumber(text);
        if (!index || !(*index >= 0) || *index >= static_cast<double>(sharedStrings_.size()) ||
            *index != std::floor(*index)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(*index);
    }

    LayoutSheet& sheet_;
    const std::vector<std::string>& sharedStrings_;
    CellCounter& cells_;
    TextBudget& textBudget_;
    LimitedText text_{kMaxBookTextBytes};
    CellPosition at_;
    std::string type_;
    std::size_t depth_ = 0;
    std::size_t sheetDataDepth_ = 0;
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

// The one shared-string table of the workbook; relationships that name the same part again are
// the same table, read once.
std::vector<std::string> ReadSharedStrings(
    const ZipArchive& archive, const std::map<std::string, Relationship>& relationships) {
    std::set<std::string> parts;
    for (const auto& [id, relationship] : relationships) {
        if (TypeIs(relationship.type, "sharedStrings") && archive.Contains(relationship.target)) {
            parts.insert(relationship.target);
        }
    }
    if (parts.empty()) return {};
    if (parts.size() > 1) {
        throw BookFormatError("в книге больше одной общей таблицы строк");
    }
    SharedStringsHandler strings;
    ParseXml(archive.Read(*parts.begin()), *parts.begin(), strings);
    return std::move(strings.strings);
}

// Every part is read at most once: two sheets over the same part would only repeat its cells
// (and its cost), which no spreadsheet program writes. Checked before any sheet is read.
void CheckOnePartPerSheet(const std::vector<SheetEntry>& sheets,
                          const std::map<std::string, Relationship>& relationships) {
    std::map<std::string_view, std::size_t> sheetOfPart;
    for (std::size_t k = 0; k < sheets.size(); ++k) {
        const auto it = relationships.find(sheets[k].relationship);
        if (it == relationships.end()) continue;
        const auto [seen, first] = sheetOfPart.emplace(it->second.target, k);
        if (!first) {
            throw BookFormatError(
                "лист записан в той же части книги, что и лист " + std::to_string(seen->second + 1),
                k, sheets[k].name);
        }
    }
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
    book.sharedStrings = ReadSharedStrings(archive, relationships);

    CheckOnePartPerSheet(workbook.sheets, relationships);
    CellCounter cells;
    TextBudget textBudget;
    for (std::size_t k = 0; k < workbook.sheets.size(); ++k) {
        const SheetEntry& entry = workbook.sheets[k];
        const auto it = relationships.find(entry.relationship);
        try {
            if (it == relationships.end() || !archive.Contains(it->second.target)) {
                throw BookFormatError("в книге нет части с ячейками листа");
            }
            book.sheets.emplace_back(entry.name, KindOf(it->second));
            if (book.sheets.back().Kind() != SheetKind::Worksheet) continue;
            SheetHandler handler(book.sheets.back(), book.sharedStrings, cells, textBudget);
            ParseXml(archive.Read(it->second.target), it->second.target, handler);
        } catch (const BookFormatError& e) {
            if (e.SheetIndex()) throw;
            throw BookFormatError(e.what(), k, entry.name);
        }
    }
    return book;
}

}  // namespace shaftline::io
