#pragma once

class QCategoryAxis;

/// Marks the range [lo, hi] of a value axis with ticks, grid lines and labels at round values
/// (1, 2 or 5 × 10^k, at most about maxTicks of them), labelled in the user's locale without
/// trailing zeros. The range itself stays as it is.
void SetRoundAxisTicks(QCategoryAxis* axis, double lo, double hi, int maxTicks);
