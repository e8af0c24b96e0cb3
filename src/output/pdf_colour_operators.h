#pragma once

#include <QByteArray>

#include <optional>

// The drawing of a PDF page (its content stream) with every colour of three components that is
// set through `scn` or `SCN`, in whatever colour space was chosen before, set instead by the
// operators that choose their own space: a grey, whose three components are equal, as
// DeviceGray (`g`, `G`), any other as DeviceRGB (`rg`, `RG`). Colours of other counts, such
// as a pattern's, stay as they are. None when the drawing holds an inline image, whose bytes
// cannot be told from operators.
std::optional<QByteArray> withGreysAsGrey(const QByteArray& content);
