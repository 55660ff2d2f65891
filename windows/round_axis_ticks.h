#pragma once

class QCategoryAxis;

/// Sets the range [lo, hi] of a value axis and marks it with ticks, grid lines and labels at
/// round values (1, 2 or 5 × 10^k, at most about maxTicks of them), labelled in the user's
/// locale without trailing zeros. The range is exactly the one given.
void SetAxisRangeWithRoundTicks(QCategoryAxis* axis, double lo, double hi, int maxTicks);
