#include "rotor.h"

#include <cmath>

namespace shaftline {

TRotor::TRotor()
    : ShrunkDiscTable{{{0.75, 1.0},
                       {1.0, 0.95},
                       {1.5, 0.82},
                       {2.0, 0.63},
                       {2.5, 0.49},
                       {3.0, 0.40},
                       {3.5, 0.33},
                       {4.0, 0.28},
                       {4.5, 0.26}}},
      SolidForgedTable{{{0.0, 1.0},
                        {0.1, 0.92},
                        {0.2, 0.78},
                        {0.3, 0.61},
                        {0.4, 0.50},
                        {0.5, 0.43},
                        {0.6, 0.37},
                        {0.7, 0.32},
                        {0.8, 0.29},
                        {0.9, 0.28},
                        {1.0, 0.27}}} {}

namespace {

// Compares the two rows whose ratios enclose the argument (the last two beyond the table, the
// first two below it) and returns the factor of the nearer one; a tie goes to the larger ratio.
template <std::size_t Rows>
double NearestFactor(const std::array<TFactorRow, Rows>& table, double ratio) {
    std::size_t k = 1;
    while (k < Rows - 1 && table[k].Ratio < ratio) ++k;
    const double toLower = std::fabs(ratio - table[k - 1].Ratio);
    const double toUpper = std::fabs(table[k].Ratio - ratio);
    return toLower < toUpper ? table[k - 1].Factor : table[k].Factor;
}

}  // namespace

double TRotor::TableFactor(bool shrunkOnDiscs, double ratio) const {
    if (shrunkOnDiscs) {
        if (ratio < ShrunkDiscTable[0].Ratio) return ShrunkDiscTable[0].Factor;
        return NearestFactor(ShrunkDiscTable, ratio);
    }
    return NearestFactor(SolidForgedTable, ratio);
}

}  // namespace shaftline
