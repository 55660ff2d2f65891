#include "optimise_run.h"

#include "alignment_json.h"
#include "coupled_shaft_line.h"
#include "coupling_alignment.h"
#include "message_text.h"
#include "number_text.h"
#include "optimise_task.h"

namespace shaftline::cli {

namespace {

using Json = nlohmann::ordered_json;

const char* StateKey(SupportState state) {
    return state == SupportState::kNominal ? "nominal" : "assembly";
}

std::string Padded(std::string text, std::size_t width) {
    const std::size_t characters = CharacterCount(text);
    return characters >= width ? text + " " : text + std::string(width - characters, ' ');
}

// Per support of one counted state: the load and the moment before and after the lifts, and
// the specific pressure after them where the journal is given.
void StateTable(std::string& out, const LiftedState& s) {
    constexpr std::size_t kSupportWidth = 8, kWidth = 19;
    out += "  " + std::string(SupportStateName(s.state)) + "\n  " + Padded("Опора", kSupportWidth);
    for (const char* caption : {"Нагрузка до, кгс", "после", "Момент до, кгс·мм", "после"})
        out += Padded(caption, kWidth);
    out += "Давление после, кгс/см²";
    for (std::size_t j = 0; j < s.after.loads.size(); ++j) {
        std::string row = "\n  " + Padded(std::to_string(j + 1), kSupportWidth);
        row += Padded(FormatFixed(s.before.loads[j], kCoupledLoadDecimals, ".", " "), kWidth);
        row += Padded(FormatFixed(s.after.loads[j], kCoupledLoadDecimals, ".", " "), kWidth);
        row += Padded(FormatFixed(s.before.moments[j], kCoupledMomentDecimals, ".", " "), kWidth);
        row += Padded(FormatFixed(s.after.moments[j], kCoupledMomentDecimals, ".", " "), kWidth);
        if (s.pressuresAfter[j]) row += FormatFixed(*s.pressuresAfter[j], 2, ".", "");
        while (row.back() == ' ') row.pop_back();
        out += row;
    }
    out += "\n";
}

Json Pressures(const std::vector<std::optional<double>>& pressures) {
    Json out = Json::array();
    for (const auto& p : pressures) out.push_back(p ? Json(*p) : Json(nullptr));
    return out;
}

}  // namespace

SupportLiftOptimum OptimiseFromFile(const ShaftLineRun& run, const std::string& path) {
    const OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(run.rotors, run.count);
    if (!coupled.value) throw RotorDataError("Высоты опор не подобраны: " + coupled.problem);
    const SupportLiftTask task =
        ReadOptimiseTask(path, static_cast<int>(coupled.value->line.supports.size()), run.journals);
    // The book's journals count only when the task gives none of its own.
    if (task.journals.empty() && !run.journalProblem.empty())
        throw RotorDataError("Высоты опор не подобраны: " + run.journalProblem);
    OrProblem<SupportLiftOptimum> optimum = OptimiseSupportLifts(*coupled.value, task, run.baseRotor.value_or(0));
    if (!optimum.value) throw UsageError("--optimise «" + QuotedForMessage(path) + "»: " + optimum.problem);
    return std::move(*optimum.value);
}

Json OptimisationJson(const SupportLiftOptimum& optimum) {
    Json out;
    out["lifts"] = optimum.lifts;
    out["feasible"] = optimum.feasible;
    Json violated = Json::array();
    for (const LoadViolation& v : optimum.violated) {
        Json entry;
        entry["state"] = StateKey(v.constraint.state);
        entry["support"] = v.constraint.support + 1;
        entry["bound"] = LoadLimitKey(v.constraint.kind);
        entry["limit"] = v.constraint.limit;
        entry["load"] = v.load;
        violated.push_back(std::move(entry));
    }
    out["violated"] = std::move(violated);
    out["objective"]["before"] = optimum.objectiveBefore;
    out["objective"]["after"] = optimum.objectiveAfter;
    for (const LiftedState& s : optimum.states) {
        Json state;
        state["loads"] = s.after.loads;
        state["moments"] = s.after.moments;
        state["pressures"] = Pressures(s.pressuresAfter);
        out["states"][StateKey(s.state)] = std::move(state);
    }
    return out;
}

std::string OptimisationText(const SupportLiftOptimum& optimum) {
    std::string out = "\nПодбор высот опор\n";
    for (std::size_t j = 0; j < optimum.lifts.size(); ++j)
        out += "  " + LiftPhrase(static_cast<int>(j), optimum.lifts[j], ".") + "\n";
    out += "  Целевая функция: до подбора " + FormatShortest(optimum.objectiveBefore, ".") + ", после " +
           FormatShortest(optimum.objectiveAfter, ".") + "\n";
    for (const LiftedState& s : optimum.states) StateTable(out, s);
    if (optimum.feasible) return out + "  Все ограничения выполнены.\n";
    out += "  Ограничения не выполнимы вместе; учтены только закрепленные опоры и границы подъема. "
           "Нарушены:\n";
    for (const LoadViolation& v : optimum.violated) {
        out += "    " + std::string(SupportStateName(v.constraint.state)) + ", опора " +
               std::to_string(v.constraint.support + 1) + ": " + LoadLimitName(v.constraint.kind) + " " +
               FormatFixed(v.constraint.limit, kCoupledLoadDecimals, ".", "") + " кгс, нагрузка " +
               FormatFixed(v.load, kCoupledLoadDecimals, ".", "") + " кгс\n";
    }
    return out;
}

Json OptimisedTargetsJson(const ShaftLineRun& run, const SupportLiftOptimum& optimum) {
    const OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(run.rotors, run.count);
    if (!coupled.value) return Json(nullptr);
    // Only where each coupling is read: the readings on site belong to the lifts in force.
    AlignmentInputs planes;
    for (const CouplingInput& in : run.alignment.couplings) {
        CouplingInput plane;
        plane.number = in.number;
        plane.plane = in.plane;
        plane.diameter = in.diameter;
        planes.couplings.push_back(plane);
    }
    const OrProblem<AlignmentResult> after = CalcAlignment(run.rotors, run.count, run.baseRotor,
                                                           *coupled.value, planes, optimum.lifts);
    if (!after.value) return Json(nullptr);
    Json out = Json::array();
    for (const CouplingAlignment& c : after.value->couplings) {
        Json coupling;
        coupling["number"] = c.geometry.number;
        coupling["left_rotor"] = c.leftRotor;
        coupling["right_rotor"] = c.rightRotor;
        coupling["targets"] = TargetsJson(c);
        out.push_back(std::move(coupling));
    }
    return out;
}

}  // namespace shaftline::cli
