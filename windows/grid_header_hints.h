#pragma once

#include <QString>
#include <vector>

/// Tooltips of the section grid's header: per column the quantity, its unit and the values the
/// calculation accepts; the last one is the deflection column the calculation writes.
std::vector<QString> SectionHeaderHints();

/// Tooltips of the support grid's header: nine columns of the left support, then nine of the
/// right one.
std::vector<QString> SupportHeaderHints();
