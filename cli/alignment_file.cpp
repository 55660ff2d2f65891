#include "alignment_file.h"

#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>

#include "calc_options.h"
#include "message_text.h"

namespace shaftline::cli {

namespace {

using Json = nlohmann::json;

// A value of the file together with the key path that leads to it, for the messages.
struct Node {
    const Json& json;
    std::string key;
    const std::string& path;

    [[noreturn]] void Refuse(const std::string& why) const {
        throw UsageError("--alignment «" + QuotedForMessage(path) +
                         "»: " + (key.empty() ? std::string() : key + ": ") + why);
    }
    Node At(const char* name) const {
        return {json.at(name), key.empty() ? name : key + "." + name, path};
    }
    Node At(std::size_t index) const {
        return {json.at(index), key + "[" + std::to_string(index) + "]", path};
    }
    bool Has(const char* name) const { return json.contains(name); }

    // An object whose keys are all among `known`.
    void Object(std::initializer_list<const char*> known) const {
        if (!json.is_object()) Refuse("ожидается объект");
        for (const auto& item : json.items()) {
            bool listed = false;
            for (const char* k : known) listed = listed || item.key() == k;
            if (!listed) Refuse("неизвестный ключ «" + QuotedForMessage(item.key()) + "»");
        }
    }
    double Number() const {
        if (!json.is_number()) Refuse("ожидается число");
        return json.get<double>();
    }
    int Integer(int lowest) const {
        if (!json.is_number_integer() || json.get<long long>() < lowest ||
            json.get<long long>() > 1000) {
            Refuse("ожидается целое число " + std::to_string(lowest) + "..1000");
        }
        return static_cast<int>(json.get<long long>());
    }
    std::optional<double> Optional(const char* name) const {
        return Has(name) ? std::optional<double>(At(name).Number()) : std::nullopt;
    }
    void Array() const {
        if (!json.is_array()) Refuse("ожидается массив");
    }
};

std::array<double, 4> FourGaps(const Node& node) {
    node.Array();
    if (node.json.size() != 4) node.Refuse("нужны четыре зазора");
    std::array<double, 4> gaps{};
    for (std::size_t i = 0; i < 4; ++i) gaps[i] = node.At(i).Number();
    return gaps;
}

// The angular value of a plane or a tolerance: "gap" (mm) needs the diameter, "angle" its absence.
std::optional<double> Angular(const Node& node, bool hasDiameter) {
    if (node.Has("gap") && node.Has("angle")) node.Refuse("«gap» и «angle» вместе");
    if (node.Has("gap") && !hasDiameter) {
        node.At("gap").Refuse(
            "разность зазоров без диаметра муфты (\"diameter\"); задайте «angle»");
    }
    if (node.Has("angle") && hasDiameter) {
        node.At("angle").Refuse("при заданном диаметре задается «gap»");
    }
    return node.Optional(hasDiameter ? "gap" : "angle");
}

PlaneInput Plane(const Node& node, bool hasDiameter) {
    node.Object({"offset", "gap", "angle"});
    if (!node.Has("offset")) node.Refuse("нет ключа «offset»");
    if (!node.Has("gap") && !node.Has("angle")) node.Refuse("нет ключа «gap» или «angle»");
    PlaneInput plane;
    plane.offset = node.At("offset").Number();
    const std::optional<double> angular = Angular(node, hasDiameter);
    (hasDiameter ? plane.gap : plane.angle) = angular;
    return plane;
}

CouplingInput Coupling(const Node& node) {
    node.Object({"number", "plane", "diameter", "tolerance", "brackets", "found"});
    if (!node.Has("number")) node.Refuse("нет ключа «number»");
    CouplingInput in;
    in.number = node.At("number").Integer(1);
    in.plane = node.Optional("plane");
    in.diameter = node.Optional("diameter");
    const bool hasDiameter = in.diameter.has_value();
    if (node.Has("tolerance")) {
        const Node tolerance = node.At("tolerance");
        tolerance.Object({"offset", "gap", "angle"});
        in.offsetTolerance = tolerance.Optional("offset");
        in.gapTolerance = Angular(tolerance, hasDiameter);
    }
    if (node.Has("brackets") && node.Has("found")) node.Refuse("«brackets» и «found» вместе");
    if (node.Has("brackets")) {
        const Node brackets = node.At("brackets");
        brackets.Object({"radial", "axial"});
        if (!hasDiameter) brackets.Refuse("замеры скобами требуют диаметра муфты (\"diameter\")");
        if (!brackets.Has("radial") || !brackets.Has("axial")) {
            brackets.Refuse("нужны «radial» и «axial»");
        }
        in.brackets = BracketGaps{FourGaps(brackets.At("radial")), FourGaps(brackets.At("axial"))};
    }
    if (node.Has("found")) {
        const Node found = node.At("found");
        found.Object({"vertical", "horizontal"});
        if (!found.Has("vertical") || !found.Has("horizontal")) {
            found.Refuse("нужны обе плоскости, «vertical» и «horizontal»");
        }
        in.foundVertical = Plane(found.At("vertical"), hasDiameter);
        in.foundHorizontal = Plane(found.At("horizontal"), hasDiameter);
    }
    return in;
}

BearingBound Bound(const Node& node) {
    node.Object({"support", "move_min", "move_max"});
    if (!node.Has("support")) node.Refuse("нет ключа «support»");
    constexpr double kNone = std::numeric_limits<double>::infinity();
    BearingBound bound;
    bound.support = node.At("support").Integer(1) - 1;
    bound.moveMin = node.Optional("move_min").value_or(-kNone);
    bound.moveMax = node.Optional("move_max").value_or(kNone);
    if (bound.moveMin > bound.moveMax) node.Refuse("«move_min» больше «move_max»");
    return bound;
}

}  // namespace

AlignmentInputs ParseAlignmentJson(const std::string& text, const std::string& path) {
    const Json json = Json::parse(text, nullptr, false);
    const Node root{json, "", path};
    if (json.is_discarded()) root.Refuse("файл не является JSON");
    root.Object({"couplings", "fixed", "bounds"});
    AlignmentInputs inputs;
    if (root.Has("couplings")) {
        const Node couplings = root.At("couplings");
        couplings.Array();
        for (std::size_t i = 0; i < couplings.json.size(); ++i) {
            inputs.couplings.push_back(Coupling(couplings.At(i)));
        }
    }
    if (root.Has("fixed")) {
        const Node fixed = root.At("fixed");
        fixed.Array();
        inputs.fixed.emplace();
        for (std::size_t i = 0; i < fixed.json.size(); ++i) {
            inputs.fixed->push_back(fixed.At(i).Integer(1) - 1);
        }
    }
    if (root.Has("bounds")) {
        const Node bounds = root.At("bounds");
        bounds.Array();
        for (std::size_t i = 0; i < bounds.json.size(); ++i) {
            inputs.bounds.push_back(Bound(bounds.At(i)));
        }
    }
    return inputs;
}

AlignmentInputs ReadAlignmentFile(const std::string& path) {
    const Json none;
    const Node file{none, "", path};
    std::ifstream in(path, std::ios::binary);
    if (!in) file.Refuse("файл не открывается");
    std::string text(kMaxAlignmentFileSize + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) file.Refuse("файл не читается");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxAlignmentFileSize) file.Refuse("файл больше 1 МиБ");
    return ParseAlignmentJson(text, path);
}

}  // namespace shaftline::cli
