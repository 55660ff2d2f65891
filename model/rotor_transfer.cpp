#include "rotor_transfer.h"

#include "number_text.h"

namespace shaftline {

namespace {

using Setter = void (TRotor::*)(int, double);

// Grid column order: coordinate, disc diameter, diameter, disc thickness, bore, Young,
// blade mass, blade count.
constexpr Setter kColumnSetters[8] = {
    &TRotor::SetCoord,         &TRotor::SetDiscDiameter,  &TRotor::SetDiameter,
    &TRotor::SetDiscThickness, &TRotor::SetInnerDiameter, &TRotor::SetYoung,
    &TRotor::SetBladeMass,     &TRotor::SetBladeCount,
};

std::string Where(int rotor, int row, int column) {
    return "ротор " + std::to_string(rotor) + ", строка " + std::to_string(row) + ", столбец «" +
           std::string(kSectionColumnNames[column]) + "»";
}

}  // namespace

std::unique_ptr<TRotor> RotorFromText(int rotorNumber, std::string_view sectionCountText,
                                      std::string_view typeText, const CellText& cell,
                                      std::string_view decimalSeparator) {
    int n = 0;
    try {
        n = ParseInteger(sectionCountText);
    } catch (const ConversionError& e) {
        throw TransferError(std::string(e.what()) + " (ротор " + std::to_string(rotorNumber) +
                                ", количество участков)",
                            rotorNumber, 0, -1, std::string(sectionCountText));
    }
    if (n < 1 || n > kMaxSections) {
        throw TransferError("Ротор " + std::to_string(rotorNumber) + ": количество участков " +
                                std::to_string(n) + " вне допустимого диапазона 1..50",
                            rotorNumber, 0, -1, std::string(sectionCountText));
    }
    auto rotor = std::make_unique<TRotor>();
    rotor->SetSectionCount(n);
    rotor->SetShrunkOnDiscs(typeText != kSolidForgedText);
    for (int r = 1; r <= n; ++r) {
        for (int c = 0; c < 8; ++c) {
            const std::string text = cell(r, c);
            try {
                (rotor.get()->*kColumnSetters[c])(r, ParseReal(text, decimalSeparator));
            } catch (const ConversionError& e) {
                throw TransferError(std::string(e.what()) + " (" + Where(rotorNumber, r, c) + ")",
                                    rotorNumber, r, c, text);
            }
        }
    }
    return rotor;
}

SupportData SupportDataFromText(int rotorNumber, const std::function<std::string(int column)>& cell,
                                std::string_view decimalSeparator) {
    SupportData data{};
    for (int c = 0; c < kSupportColumns; ++c) {
        const std::string text = cell(c);
        try {
            data[c] = ParseReal(text, decimalSeparator);
        } catch (const ConversionError& e) {
            throw TransferError(std::string(e.what()) + " (ротор " + std::to_string(rotorNumber) +
                                    ", данные опор, столбец «" +
                                    std::string(kSupportColumnNames[c]) + "»)",
                                rotorNumber, 1, c, text);
        }
    }
    return data;
}

}  // namespace shaftline
