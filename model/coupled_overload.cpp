#include "coupled_overload.h"

namespace shaftline {

std::vector<int> OverloadedSupports(const CoupledLine& line, const CoupledState& state) {
    std::vector<int> overloaded;
    for (std::size_t j = 0; j < line.supports.size() && j < state.loads.size(); ++j) {
        const double own = line.supports[j].ownLoad;
        if (own > 0 && state.loads[j] > kOverloadFactor * own)
            overloaded.push_back(static_cast<int>(j));
    }
    return overloaded;
}

}  // namespace shaftline
