#pragma once

#include "settings/setting_table.h"
#include "settings/units.h"

// A length in millimetres or centimetres and what its inch twin shows, both ways. The settings
// page and the calibration dialog convert here alike, so that the same length gives the same
// inches in each to the last bit: the unit's millimetres first, then the division.
constexpr double millimetresPer(Unit lengthUnit) {
    return lengthUnit == Unit::Centimetres ? 10 : 1;
}

constexpr double lengthToInches(double length, Unit lengthUnit) {
    return length * millimetresPer(lengthUnit) / BaseMmPerInch;
}

constexpr double inchesToLength(double inches, Unit lengthUnit) {
    return inches * BaseMmPerInch / millimetresPer(lengthUnit);
}
