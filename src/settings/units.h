#pragma once

// Millimetres per inch, everywhere in the program: inch twins, the calibration and the
// renderer (not 25.4).
constexpr double BaseMmPerInch = 25.39995;
