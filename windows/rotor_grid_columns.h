#pragma once

#include <string_view>

#include "rotor_transfer.h"

// The grid headers are the column names the core uses in its messages.
inline constexpr const auto& kSectionGridHeaders = shaftline::kSectionColumnNames;
inline constexpr const auto& kSupportGridHeaders = shaftline::kSupportColumnNames;
inline constexpr std::string_view kDeflectionHeader = shaftline::kDeflectionColumnName;
inline constexpr int kDeflectionColumn = 8;

/// Row of the support grid that holds the support data (row 0 is the header).
inline constexpr int kSupportDataRow = 1;
