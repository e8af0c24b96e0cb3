#pragma once

#include "render/ruling.h"
#include "settings/paper_kind.h"

// The ruling of each kind of paper, each in its own file.
using DrawRuling = void (*)(Surface& surface, const PageScale& scale, const PageDesign& design,
                            const RulingSpan& span);

void drawRuledPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span);
void drawCheckeredPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span);
void drawDotGridPaper(Surface& surface, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span);

DrawRuling rulingOf(PaperKind kind);
