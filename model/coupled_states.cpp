#include "coupled_states.h"

#include "support_bearing.h"

namespace shaftline {

namespace {

std::vector<double> NominalElevations(const RotorArray& rotors, int count) {
    std::vector<double> z;
    z.push_back(rotors[1]->SectionsView()[0].LineOffset);
    for (int k = 1; k <= count; ++k) {
        const TRotor& rotor = *rotors[static_cast<std::size_t>(k)];
        z.push_back(
            rotor.SectionsView()[static_cast<std::size_t>(rotor.GetSectionCount())].LineOffset);
    }
    return z;
}

double BearingRise(const RotorArray& rotors, int count, int support) {
    const SupportBearing bearing = BearingOfSupport(count, support);
    const TRotor& rotor = *rotors[static_cast<std::size_t>(bearing.rotor)];
    return bearing.left ? rotor.LeftSupportRise : rotor.RightSupportRise;
}

}  // namespace

std::string_view SupportStateName(SupportState state) {
    switch (state) {
        case SupportState::kLevel:
            return "Опоры горизонтальны";
        case SupportState::kNominal:
            return "Номинальный режим работы";
        case SupportState::kAssembly:
            return "Монтажное состояние";
    }
    return {};
}

std::vector<double> StateElevations(const RotorArray& rotors, int count, SupportState state) {
    if (state == SupportState::kLevel) return std::vector<double>(count + 1, 0.0);
    std::vector<double> z = NominalElevations(rotors, count);
    if (state == SupportState::kAssembly) {
        for (int j = 0; j <= count; ++j)
            z[static_cast<std::size_t>(j)] -= BearingRise(rotors, count, j);
    }
    return z;
}

}  // namespace shaftline
