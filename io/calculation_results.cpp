#include "calculation_results.h"

#include "lift_cells.h"
#include "number_text.h"
#include "rotor_transfer.h"

namespace shaftline::io {

namespace {

const TRotor& Rotor(const CalculationResults& results, int number) {
    return *(*results.rotors)[static_cast<std::size_t>(number)];
}

}  // namespace

std::string RotorKindText(const CalculationResults& results, int number) {
    const TRotor& rotor = Rotor(results, number);
    std::string kind = rotor.GetEvenPosition()
                           ? std::string(kEvenPositionText)
                           : results.inputs[static_cast<std::size_t>(number)].typeText;
    if (rotor.GetBaseRotor() || results.baseRotor == number) kind += "; базовый ротор";
    return kind;
}

std::string LiftsInForceText(const CalculationResults& results) {
    return LiftsInForceText(results.lifts, results.decimalSeparator);
}

std::string BaseRotorText(const CalculationResults& results) {
    return results.baseRotor ? "Базовый ротор: " + std::to_string(*results.baseRotor)
                             : std::string("Базовый ротор не выбран, выравнивания нет");
}

SupportStates ShownSupportStates(const CalculationResults& results, int number) {
    const std::optional<SupportStates>& known = results.states[static_cast<std::size_t>(number)];
    return known ? *known : ComputeSupportStates(Rotor(results, number), {});
}

bool HasSupportData(const CalculationResults& results, int number) {
    return results.states[static_cast<std::size_t>(number)].has_value();
}

std::optional<double> AssemblyElevation(const SupportStates& states, double elevation) {
    return states.assemblyTilt ? std::optional<double>(elevation) : std::nullopt;
}

}  // namespace shaftline::io
