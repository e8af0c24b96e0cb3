#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// A sheet of paper known by name, upright, in tenths of a millimetre: whole numbers for every
// size in use, so that its pixels at any resolution come out without the rounding of a real.
struct NamedPaper {
    const char* name;
    QSize tenthsOfMm;
};

// The sheets a page can be drawn for by name, smallest series first.
std::span<const NamedPaper> namedPapers();
QStringList namedPaperNames();
inline constexpr const char* kDefaultPaperName = "A4";

// The upright sheet of that name, in any case.
std::optional<QSize> paperNamed(const QString& name);

// A sheet at `dotsPerInch`, in whole pixels, truncated.
QSize paperPixels(QSize tenthsOfMm, int dotsPerInch);
// A sheet's exact size in points.
QSizeF paperPoints(QSize tenthsOfMm);
// The named sheet, upright or turned as the page lies, whose whole pixels at `dotsPerInch` are
// `pixels`: a page drawn for that paper.
std::optional<QSize> paperOfPixels(QSize pixels, int dotsPerInch);
