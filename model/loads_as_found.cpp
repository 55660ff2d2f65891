#include "loads_as_found.h"

namespace shaftline {

LoadsAsFound CalcLoadsAsFound(const CoupledShaftLine& coupled, const std::vector<double>& errors) {
    LoadsAsFound out;
    out.design = coupled.State(SupportState::kAssembly).loads;
    out.loads = out.design;
    for (std::size_t i = 0; i < out.loads.size(); ++i) {
        for (std::size_t j = 0; j < errors.size() && j < coupled.influence[i].size(); ++j) {
            out.loads[i] += coupled.influence[i][j] * errors[j];
        }
        const int j = static_cast<int>(i);
        if (out.loads[i] < 0) out.unloaded.push_back(j);
        if (out.design[i] > 0 && out.loads[i] > 2 * out.design[i]) out.overloaded.push_back(j);
    }
    return out;
}

}  // namespace shaftline
