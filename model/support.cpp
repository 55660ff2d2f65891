#include "support.h"

#include <cmath>

namespace shaftline {

namespace {

constexpr long double kFoundationExpansion = 1.2e-5L;  // 1/°C
constexpr long double kSteelExpansion = 1.1e-5L;       // 1/°C, frame and bearing housing
constexpr long double kReferenceTemperature = 20;      // °C

}  // namespace

// Rise = foundation, frame and housing growth over the reference temperature, plus the
// condenser, vacuum and journal terms as they stand.
double SupportRise(const SupportData& data, int first) {
    auto c = [&](int i) { return static_cast<long double>(data[first + i]); };
    long double rise = c(0) * kFoundationExpansion * (c(1) - kReferenceTemperature);
    rise += c(2) * kSteelExpansion * (c(3) - kReferenceTemperature);
    rise += c(4) * kSteelExpansion * (c(5) - kReferenceTemperature);
    rise += c(6);
    rise += c(7);
    rise += c(8);
    return static_cast<double>(rise);
}

SupportRises CalcSupportRises(const SupportData& data) {
    return {SupportRise(data, 0), SupportRise(data, 9)};
}

SupportRises ApplySupportRises(TRotor& rotor, const SupportData& data) {
    const SupportRises rises = CalcSupportRises(data);
    rotor.SetLeftSupportRise(rises.left);
    rotor.SetRightSupportRise(rises.right);
    return rises;
}

std::optional<double> AssemblyTilt(double leftRise, double rightRise, double length) {
    if (!(length > 0)) return std::nullopt;
    const double sine = std::fabs(leftRise - rightRise) / length;
    if (!(sine <= 1)) return std::nullopt;
    return std::asin(sine);
}

SupportStates ComputeSupportStates(const TRotor& rotor, SupportRises rises) {
    const SectionArray& s = rotor.SectionsView();
    const int n = rotor.GetSectionCount();
    SupportStates out;
    out.nominalLeftAngle = rotor.GetLeftJournalAngle();
    out.nominalRightAngle = rotor.GetRightJournalAngle();
    out.ownLeftAngle = rotor.GetOwnLeftAngle();
    out.ownRightAngle = rotor.GetOwnRightAngle();
    out.nominalLeftElevation = s[0].LineOffset;
    out.nominalRightElevation = s[n].LineOffset;
    out.leftRise = rises.left;
    out.rightRise = rises.right;
    out.assemblyLeftElevation = s[0].LineOffset - rises.left;
    out.assemblyRightElevation = s[n].LineOffset - rises.right;
    out.assemblyTilt = AssemblyTilt(rises.left, rises.right, s[n].Coord - s[0].Coord);
    if (out.assemblyTilt) {
        // The rotor tips towards the lower support: both journals turn the same way.
        const double tilt = rises.left > rises.right ? *out.assemblyTilt : -*out.assemblyTilt;
        out.assemblyLeftAngle = out.nominalLeftAngle + tilt;
        out.assemblyRightAngle = out.nominalRightAngle + tilt;
    }
    return out;
}

}  // namespace shaftline
