#pragma once

#include <array>

/// Headers of a rotor's section grid, in grid column order (coordinate, disc diameter, shaft
/// diameter, disc thickness, bore, Young's modulus, blade mass, blade count).
inline constexpr std::array<const char*, 8> kSectionGridHeaders = {
    "Координаты",         "Диаметр диска", "Диаметр",       "Толщина диска",
    "Внутренний диаметр", "Модуль Юнга",   "Масса лопатки", "Число лопаток",
};

/// Column 8 of the section grid, written by the calculation run.
inline constexpr const char* kDeflectionHeader = "Прогиб в сечениях";
inline constexpr int kDeflectionColumn = 8;

/// Headers of the support-data grid: columns 0..8 the left support, 9..17 the right one.
/// The bearing-height headers have no closing point.
inline constexpr std::array<const char*, 18> kSupportGridHeaders = {
    "Выс. фунд. лев.",  "Темп. фунд. лев.",   "Выс. рамы лев.",      "Темп. рамы лев.",
    "Выс. подшип. лев", "Темп. подшип. лев.", "Конд. лев.",          "Вак. лев.",
    "Цапфа лев.",       "Выс. фунд. прав.",   "Темп. фунд. прав.",   "Выс. рамы прав.",
    "Темп. рамы прав.", "Выс. подшип. прав",  "Темп. подшип. прав.", "Конд. прав.",
    "Вак. прав.",       "Цапфа прав.",
};

/// Row of the support grid that holds the support data (row 0 is the header).
inline constexpr int kSupportDataRow = 1;
