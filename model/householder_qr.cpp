#include "householder_qr.h"

#include <algorithm>
#include <cmath>

namespace shaftline {

HouseholderQr::HouseholderQr(const std::vector<std::vector<double>>& rows)
    : rows_(static_cast<int>(rows.size())), columns_(rows.empty() ? 0 : static_cast<int>(rows[0].size())) {
    a_.assign(static_cast<std::size_t>(rows_ * columns_), 0.0);
    tau_.assign(static_cast<std::size_t>(columns_), 0.0);
    for (int i = 0; i < rows_; ++i)
        for (int j = 0; j < columns_; ++j) At(i, j) = rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    for (int k = 0; k < columns_; ++k) {
        // The column's norm, scaled by its largest entry against overflow.
        double largest = 0;
        for (int i = k; i < rows_; ++i) largest = std::max(largest, std::abs(At(i, k)));
        if (largest == 0) continue;
        const double inverse = 1 / largest;
        double sum = 0;
        for (int i = k; i < rows_; ++i) sum += (At(i, k) * inverse) * (At(i, k) * inverse);
        const double norm = largest * std::sqrt(sum);
        const double head = At(k, k);
        // The reflector sends the column to β·e_k, β of the opposite sign to its head, so that
        // no cancellation occurs in head − β.
        const double beta = head > 0 ? -norm : norm;
        tau_[static_cast<std::size_t>(k)] = (beta - head) / beta;
        const double scale = 1 / (head - beta);
        for (int i = k + 1; i < rows_; ++i) At(i, k) *= scale;
        At(k, k) = beta;
        for (int j = k + 1; j < columns_; ++j) {
            double s = At(k, j);
            for (int i = k + 1; i < rows_; ++i) s += At(i, k) * At(i, j);
            s *= tau_[static_cast<std::size_t>(k)];
            At(k, j) -= s;
            for (int i = k + 1; i < rows_; ++i) At(i, j) -= s * At(i, k);
        }
    }
}

std::vector<double> HouseholderQr::ApplyQTransposed(std::vector<double> b) const {
    for (int k = 0; k < columns_; ++k) {
        double s = b[static_cast<std::size_t>(k)];
        for (int i = k + 1; i < rows_; ++i) s += At(i, k) * b[static_cast<std::size_t>(i)];
        s *= tau_[static_cast<std::size_t>(k)];
        b[static_cast<std::size_t>(k)] -= s;
        for (int i = k + 1; i < rows_; ++i) b[static_cast<std::size_t>(i)] -= s * At(i, k);
    }
    return b;
}

std::vector<double> HouseholderQr::ReducedRightSide(const std::vector<double>& b) const {
    std::vector<double> full = ApplyQTransposed(b);
    full.resize(static_cast<std::size_t>(columns_));
    return full;
}

std::vector<double> HouseholderQr::SolveR(std::vector<double> y) const {
    for (int i = columns_ - 1; i >= 0; --i) {
        double s = y[static_cast<std::size_t>(i)];
        for (int j = i + 1; j < columns_; ++j) s -= At(i, j) * y[static_cast<std::size_t>(j)];
        y[static_cast<std::size_t>(i)] = s / At(i, i);
    }
    return y;
}

std::vector<double> HouseholderQr::SolveRTransposed(std::vector<double> v) const {
    for (int i = 0; i < columns_; ++i) {
        double s = v[static_cast<std::size_t>(i)];
        for (int j = 0; j < i; ++j) s -= At(j, i) * v[static_cast<std::size_t>(j)];
        v[static_cast<std::size_t>(i)] = s / At(i, i);
    }
    return v;
}

std::vector<double> HouseholderQr::LeastSquares(const std::vector<double>& b) const {
    return SolveR(ReducedRightSide(b));
}

}  // namespace shaftline
