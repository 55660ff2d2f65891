#pragma once

#include <string>

/// Separators of the user's regional settings, in UTF-8, as the core's number text expects.
/// They come from the default QLocale, which is the system locale unless a test sets another.
std::string DecimalSeparator();
std::string GroupSeparator();
