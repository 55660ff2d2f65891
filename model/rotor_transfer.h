#pragma once

#include <array>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "rotor.h"
#include "support.h"

namespace shaftline {

/// The rotor-type text that makes a rotor solid-forged; any other text means shrunk-on discs.
inline constexpr std::string_view kSolidForgedText = "Цельнокованный";
inline constexpr std::string_view kShrunkOnDiscsText = "С насадными дисками";
/// What the reports say of a rotor at an even position, which has no type of its own.
inline constexpr std::string_view kEvenPositionText =
    "промежуточный вал на четной позиции, считается невесомым";

/// Headers of the section grid's eight input columns and of the support-data row.
inline constexpr std::array<std::string_view, 8> kSectionColumnNames = {
    "Координаты",         "Диаметр диска", "Диаметр",       "Толщина диска",
    "Внутренний диаметр", "Модуль Юнга",   "Масса лопатки", "Число лопаток"};
inline constexpr std::array<std::string_view, 18> kSupportColumnNames = {
    "Выс. фунд. лев.",  "Темп. фунд. лев.",   "Выс. рамы лев.",      "Темп. рамы лев.",
    "Выс. подшип. лев", "Темп. подшип. лев.", "Конд. лев.",          "Вак. лев.",
    "Цапфа лев.",       "Выс. фунд. прав.",   "Темп. фунд. прав.",   "Выс. рамы прав.",
    "Темп. рамы прав.", "Выс. подшип. прав",  "Темп. подшип. прав.", "Конд. прав.",
    "Вак. прав.",       "Цапфа прав."};
inline constexpr std::string_view kDeflectionColumnName = "Прогиб в сечениях";

/// A text of a rotor page that does not convert. row and column follow the grid: row 1..N is
/// section r, column 0..7 the section columns (−1 for the section count), or 0..17 of the
/// support row.
class TransferError : public std::runtime_error {
  public:
    TransferError(std::string message, int rotor, int row, int column, std::string text)
        : std::runtime_error(std::move(message)),
          rotor(rotor),
          row(row),
          column(column),
          text(std::move(text)) {}
    int rotor;
    int row;
    int column;
    std::string text;
};

/// Reads the text of cell (row, column) of a rotor's section grid.
using CellText = std::function<std::string(int row, int column)>;

/// Builds a fresh rotor record from the text of one rotor page: the section count, the type
/// text and rows 1..n, columns 0..7 of its section grid (coordinate, disc diameter, diameter,
/// disc thickness, bore, Young, blade mass, blade count). Throws TransferError naming the
/// rotor, the row and the column of the first text that does not convert; also when the
/// section count lies outside 1..50.
std::unique_ptr<TRotor> RotorFromText(int rotorNumber, std::string_view sectionCountText,
                                      std::string_view typeText, const CellText& cell,
                                      std::string_view decimalSeparator);

/// Converts the 18 texts of a support-data row. Throws TransferError with row 1 and the column.
SupportData SupportDataFromText(int rotorNumber, const std::function<std::string(int column)>& cell,
                                std::string_view decimalSeparator);

}  // namespace shaftline
