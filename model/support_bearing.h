#pragma once

#include <string>

namespace shaftline {

/// The bearing a support J(j) of the coupled line stands for.
struct SupportBearing {
    int rotor = 0;     ///< 1..count
    bool left = true;  ///< the rotor's left bearing, else its right one
};

/// Every inner support stands between an odd rotor and an even piece; its bearing, and with it
/// the rise the assembly state takes, belongs to the odd rotor: the right one of rotor j when j
/// is odd, else the left one of rotor j + 1. J0 is rotor 1's left bearing, J(count) rotor
/// count's right one.
SupportBearing BearingOfSupport(int count, int support);

/// "ротор 3, левая опора".
std::string BearingLabel(SupportBearing bearing);

}  // namespace shaftline
