#include "support_bearing.h"

namespace shaftline {

SupportBearing BearingOfSupport(int count, int support) {
    if (support <= 0) return {1, true};
    if (support >= count) return {count, false};
    return support % 2 == 1 ? SupportBearing{support, false} : SupportBearing{support + 1, true};
}

std::string BearingLabel(SupportBearing bearing) {
    return "ротор " + std::to_string(bearing.rotor) +
           (bearing.left ? ", левая опора" : ", правая опора");
}

}  // namespace shaftline
