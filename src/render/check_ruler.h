#pragma once

#include "render/page_marks.h"

struct PageDesign;

// A ruler of 100 mm along the bottom of the printable area, near its left side: a baseline
// with a tick at every millimetre, longer ones at every fifth and tenth, in the edge lines'
// colour at the thinnest width. It is drawn with the page's calibration like every other mark,
// so that a real ruler laid on the paper shows whether the printer prints true to size.
void markCheckRuler(MarkSink& marks, const PageScale& scale, const PageDesign& design);
