#pragma once

#include <array>

#include "rotor_section.h"

namespace shaftline {

inline constexpr int kMaxSections = 50;
inline constexpr int kSectionRecords = kMaxSections + 1;

using SectionArray = std::array<TRotorSection, kSectionRecords>;

/// One rotor of the shaft line on its two supports: the sections as entered, everything the
/// deflection calculation derives from them, and what the shaft-line alignment writes back.
/// The model checks nothing: indices must lie within 0..50 and SectionCount within 1..50.
class TRotor {
  public:
    TRotor();

    void SetSectionCount(int value) { SectionCount = value; }
    int GetSectionCount() const { return SectionCount; }

    void SetCoord(int index, double value) { Sections[index].Coord = value; }
    void SetDiscDiameter(int index, double value) { Sections[index].DiscDiameter = value; }
    void SetDiameter(int index, double value) { Sections[index].Diameter = value; }
    void SetDiscThickness(int index, double value) { Sections[index].DiscThickness = value; }
    void SetInnerDiameter(int index, double value) { Sections[index].InnerDiameter = value; }
    void SetYoung(int index, double value) { Sections[index].Young = value; }
    void SetBladeMass(int index, double value) { Sections[index].BladeMass = value; }
    void SetBladeCount(int index, double value) { Sections[index].BladeCount = value; }
    void SetMass(int index, double value) { Sections[index].Mass = value; }
    void SetLineOffset(int index, double value) { Sections[index].LineOffset = value; }

    /// Copies all 51 records, 0..50, into dest.
    void GetSections(SectionArray& dest) const { dest = Sections; }
    /// Read-only view of the records, for callers that need no copy.
    const SectionArray& SectionsView() const { return Sections; }

    double GetLeftJournalAngle() const { return LeftJournalAngle; }
    void SetLeftJournalAngle(double value) { LeftJournalAngle = value; }
    double GetRightJournalAngle() const { return RightJournalAngle; }
    void SetRightJournalAngle(double value) { RightJournalAngle = value; }
    double GetOwnLeftAngle() const { return OwnLeftAngle; }
    void SetOwnLeftAngle(double value) { OwnLeftAngle = value; }
    double GetOwnRightAngle() const { return OwnRightAngle; }
    void SetOwnRightAngle(double value) { OwnRightAngle = value; }
    double GetCouplingBreak() const { return CouplingBreak; }
    void SetCouplingBreak(double value) { CouplingBreak = value; }

    void SetLeftSupportRise(double value) { LeftSupportRise = value; }
    void SetRightSupportRise(double value) { RightSupportRise = value; }

    void SetBaseRotor(bool value) { BaseRotor = value; }
    bool GetBaseRotor() const { return BaseRotor; }
    void SetEvenPosition(bool value) { EvenPosition = value; }
    bool GetEvenPosition() const { return EvenPosition; }
    bool GetShrunkOnDiscs() const { return ShrunkOnDiscs; }
    void SetShrunkOnDiscs(bool value) { ShrunkOnDiscs = value; }

    double GetLeftReaction() const { return LeftReaction; }
    double GetRightReaction() const { return RightReaction; }
    double GetMaxDiameter() const { return MaxDiameter; }
    double GetRefInertia() const { return RefInertia; }

    /// Disc-stiffening factor for a disc of thickness/diameter ratio `ratio`, from the table of
    /// the given rotor type: the factor of the nearest tabulated ratio, ties to the larger one.
    double TableFactor(bool shrunkOnDiscs, double ratio) const;

    /// Static elastic line under the rotor's own weight (method of initial parameters).
    void CalcDeflection();

    static constexpr int kShrunkDiscRows = 9;
    static constexpr int kSolidForgedRows = 11;
    const std::array<TFactorRow, kShrunkDiscRows>& GetShrunkDiscTable() const {
        return ShrunkDiscTable;
    }
    const std::array<TFactorRow, kSolidForgedRows>& GetSolidForgedTable() const {
        return SolidForgedTable;
    }

    // The charts read the rises directly.
    double LeftSupportRise = 0;   ///< mm, total rise of the left support
    double RightSupportRise = 0;  ///< mm

  private:
    int SectionCount = 0;
    SectionArray Sections{};
    double RightReaction = 0;      ///< kg
    double LeftReaction = 0;       ///< kg
    double MaxDiameter = 0;        ///< mm
    double RefInertia = 0;         ///< mm⁴
    double LeftJournalAngle = 0;   ///< rad, negative when the rotor sags
    double RightJournalAngle = 0;  ///< rad, positive when the rotor sags
    double CouplingBreak = 0;  ///< rad, previous rotor's right angle − this rotor's left angle
    double OwnLeftAngle = 0;   ///< rad, kept by the alignment before it shifts the angles
    double OwnRightAngle = 0;  ///< rad
    bool BaseRotor = false;
    bool EvenPosition = false;
    bool ShrunkOnDiscs = false;
    std::array<TFactorRow, kShrunkDiscRows> ShrunkDiscTable;
    std::array<TFactorRow, kSolidForgedRows> SolidForgedTable;
};

}  // namespace shaftline
