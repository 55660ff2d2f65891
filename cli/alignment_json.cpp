#include "alignment_json.h"

namespace shaftline::cli {

namespace {

using Json = nlohmann::ordered_json;

template <typename T, typename F>
Json OrNull(const std::optional<T>& value, F&& json) {
    return value ? json(*value) : Json(nullptr);
}

Json ReadingJson(const CouplingReading& r) {
    Json out;
    out["offset"] = r.offset;
    out["angle"] = r.angle;
    out["gap"] = r.gap ? Json(*r.gap) : Json(nullptr);
    return out;
}

Json PlanesJson(const PlaneReadings& r) {
    Json out;
    out["vertical"] = ReadingJson(r.vertical);
    out["horizontal"] = ReadingJson(r.horizontal);
    return out;
}

Json VerdictsJson(const PlaneVerdicts& v) {
    Json out;
    out["vertical"] = v.vertical;
    out["horizontal"] = v.horizontal;
    return out;
}

Json SupportNumbers(const std::vector<int>& supports) {
    Json out = Json::array();
    for (int j : supports) out.push_back(j + 1);
    return out;
}

Json CouplingJson(const CouplingAlignment& c) {
    Json out;
    out["number"] = c.geometry.number;
    out["left_rotor"] = c.leftRotor;
    out["right_rotor"] = c.rightRotor;
    out["plane"] = c.geometry.plane;
    out["diameter"] = c.geometry.diameter ? Json(*c.geometry.diameter) : Json(nullptr);
    out["targets"] = TargetsJson(c);
    out["found"] = OrNull(c.found, PlanesJson);
    out["closure"] = OrNull(c.closure, [](const BracketClosure& closure) {
        return Json{{"radial", closure.radial}, {"axial", closure.axial}};
    });
    out["in_tolerance"] = OrNull(c.inTolerance, VerdictsJson);
    out["after"] = OrNull(c.after, PlanesJson);
    out["in_tolerance_after"] = OrNull(c.inToleranceAfter, VerdictsJson);
    out["closure_ok"] =
        OrNull(c.closure, [](const BracketClosure& closure) { return Json(closure.Consistent()); });
    return out;
}

Json MovesJson(const BearingMoves& moves) {
    Json out;
    out["fixed"] = SupportNumbers(moves.fixed);
    out["vertical"] = moves.vertical;
    out["horizontal"] = moves.horizontal;
    out["binding"] = SupportNumbers(moves.binding);
    return out;
}

}  // namespace

Json TargetsJson(const CouplingAlignment& c) {
    Json out;
    out["level"] = ReadingJson(c.targets[0]);
    out["nominal"] = ReadingJson(c.targets[1]);
    out["assembly"] = ReadingJson(c.targets[2]);
    return out;
}

Json AlignmentJson(const AlignmentRun& alignment) {
    if (!alignment.result || alignment.result->couplings.empty()) return Json(nullptr);
    const AlignmentResult& r = *alignment.result;
    Json out;
    Json couplings = Json::array();
    for (const CouplingAlignment& c : r.couplings) couplings.push_back(CouplingJson(c));
    out["couplings"] = std::move(couplings);
    out["moves"] = OrNull(r.moves, MovesJson);
    out["loads_as_found"] =
        OrNull(r.loadsAsFound, [](const LoadsAsFound& loads) { return Json(loads.loads); });
    return out;
}

}  // namespace shaftline::cli
