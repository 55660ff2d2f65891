#include "json_report.h"

#include "alignment_json.h"
#include "chart_points.h"
#include "coupled_shaft_line.h"
#include "optimise_run.h"

namespace shaftline::cli {

namespace {

using Json = nlohmann::ordered_json;

Json Optional(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json SectionJson(const TRotorSection& s) {
    Json out;
    out["coord"] = s.Coord;
    out["mass"] = s.Mass;
    out["inertia"] = s.Inertia;
    out["stiffness_ratio"] = s.StiffnessRatio;
    out["reduced_moment"] = s.ReducedMoment;
    out["shear"] = s.Shear;
    out["moment"] = s.Moment;
    out["disc_correction"] = s.DiscCorrection;
    out["deflection"] = s.Deflection;
    out["line_offset"] = s.LineOffset;
    return out;
}

Json RotorJson(const TRotor& rotor, int number, const SupportStates& states) {
    Json out;
    out["number"] = number;
    out["even_position"] = rotor.GetEvenPosition();
    out["shrunk_on_discs"] = rotor.GetShrunkOnDiscs();
    out["section_count"] = rotor.GetSectionCount();
    out["left_reaction"] = rotor.GetLeftReaction();
    out["right_reaction"] = rotor.GetRightReaction();
    out["max_diameter"] = rotor.GetMaxDiameter();
    out["ref_inertia"] = rotor.GetRefInertia();
    out["left_journal_angle"] = rotor.GetLeftJournalAngle();
    out["right_journal_angle"] = rotor.GetRightJournalAngle();
    out["coupling_break"] = rotor.GetCouplingBreak();
    out["own_left_angle"] = rotor.GetOwnLeftAngle();
    out["own_right_angle"] = rotor.GetOwnRightAngle();
    out["left_support_rise"] = rotor.LeftSupportRise;
    out["right_support_rise"] = rotor.RightSupportRise;
    out["assembly_tilt"] = Optional(states.assemblyTilt);
    out["assembly_left_angle"] = Optional(states.assemblyLeftAngle);
    out["assembly_right_angle"] = Optional(states.assemblyRightAngle);
    // Without a tilt the assembly state is not defined as a whole: its elevations go null too.
    out["assembly_left_elevation"] =
        states.assemblyTilt ? Json(states.assemblyLeftElevation) : Json();
    out["assembly_right_elevation"] =
        states.assemblyTilt ? Json(states.assemblyRightElevation) : Json();
    Json sections = Json::array();
    const SectionArray& records = rotor.SectionsView();
    for (int i = 0; i <= rotor.GetSectionCount(); ++i) {
        sections.push_back(SectionJson(records[i]));
    }
    out["sections"] = std::move(sections);
    return out;
}

Json ChartJson(const std::vector<SeriesPoints>& series) {
    Json out = Json::array();
    for (const SeriesPoints& s : series) {
        Json points = Json::array();
        for (const auto& [x, y] : s.points) points.push_back(Json::array({x, y}));
        Json entry;
        entry["series"] = s.series;
        entry["rotor"] = s.rotor;
        entry["points"] = std::move(points);
        out.push_back(std::move(entry));
    }
    return out;
}

Json RotorNumber(int rotor) {
    return rotor > 0 ? Json(rotor) : Json(nullptr);
}

const char* StateKey(SupportState state) {
    switch (state) {
        case SupportState::kLevel:
            return "level";
        case SupportState::kNominal:
            return "nominal";
        case SupportState::kAssembly:
            return "assembly";
    }
    return "";
}

Json CoupledStateJson(const CoupledState& state) {
    Json out;
    out["elevations"] = state.elevations;
    out["loads"] = state.loads;
    out["moments"] = state.moments;
    out["axis"] = state.axis;
    return out;
}

// The rotors rigidly coupled; null when the line cannot be coupled.
Json CoupledJson(const ShaftLineRun& run) {
    const OrProblem<CoupledShaftLine> coupled = CalcCoupledShaftLine(run.rotors, run.count, run.lifts);
    if (!coupled.value) return Json(nullptr);
    Json out;
    Json supports = Json::array();
    const std::vector<CoupledSupport>& line = coupled.value->line.supports;
    for (std::size_t j = 0; j < line.size(); ++j) {
        Json support;
        support["number"] = j + 1;
        support["x"] = line[j].x;
        support["left_rotor"] = RotorNumber(line[j].leftRotor);
        support["right_rotor"] = RotorNumber(line[j].rightRotor);
        support["own_load"] = line[j].ownLoad;
        supports.push_back(std::move(support));
    }
    out["supports"] = std::move(supports);
    for (SupportState state : kSupportStates) {
        out["states"][StateKey(state)] = CoupledStateJson(coupled.value->State(state));
    }
    out["influence"] = coupled.value->influence;
    std::vector<double> lifts = run.lifts;
    lifts.resize(line.size(), 0.0);
    out["lifts"] = std::move(lifts);
    return out;
}

}  // namespace

Json JsonReport(const ShaftLineRun& run, const SupportLiftOptimum* optimum) {
    Json out;
    out["base_rotor"] = run.baseRotor ? Json(*run.baseRotor) : Json(nullptr);
    Json rotors = Json::array();
    for (int k = 1; k <= run.count; ++k) {
        rotors.push_back(RotorJson(*run.rotors[k], k, run.states[k]));
    }
    out["rotors"] = std::move(rotors);
    out["charts"]["nominal"] = ChartJson(NominalChartPoints(run.rotors, run.count));
    out["charts"]["assembly"] = ChartJson(AssemblyChartPoints(run.rotors, run.count));
    out["coupled"] = CoupledJson(run);
    out["alignment"] = AlignmentJson(RunAlignment(run));
    if (optimum) {
        out["optimisation"] = OptimisationJson(*optimum);
        out["optimisation"]["targets"] = OptimisedTargetsJson(run, *optimum);
    }
    return out;
}

}  // namespace shaftline::cli
