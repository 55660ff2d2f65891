#include "coupled_influence.h"

namespace shaftline {

// Column j is the load change of a unit lift of J(j) on a weightless line: one solve of the
// factorised equations of three moments per column, whose right-hand side has at most three
// entries, the chord rotations of the two spans on J(j).
std::vector<std::vector<double>> InfluenceMatrix(const CoupledLine& line) {
    const std::size_t supports = line.supports.size();
    std::vector<std::vector<double>> matrix(supports, std::vector<double>(supports, 0.0));
    std::vector<double> lift(supports, 0.0);
    for (std::size_t j = 0; j < supports; ++j) {
        lift[j] = 1;
        const std::vector<long double> loads =
            line.equations.SupportLoads(line.equations.SupportMoments(lift, false), false);
        for (std::size_t i = 0; i < supports; ++i) matrix[i][j] = static_cast<double>(loads[i]);
        lift[j] = 0;
    }
    return matrix;
}

}  // namespace shaftline
