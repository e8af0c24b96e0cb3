#pragma once

#include "render/ruling.h"
#include "settings/paper_kind.h"

struct PageDesign;

// The ruling of each kind of paper, each in its own file: its marks, in drawing order.
using RulePaper = void (*)(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                           const RulingSpan& span);

void ruleRuledPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span);
void ruleCheckeredPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span);
void ruleDotGridPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                      const RulingSpan& span);
void ruleIsometricPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span);
void ruleHexagonalPaper(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                        const RulingSpan& span);

// The slant lines over ruled paper, dashed as its guides are.
void ruleSlantLines(MarkSink& marks, const PageScale& scale, const PageDesign& design,
                    const RulingSpan& span, double dashMm, double gapMm);

RulePaper rulingOf(PaperKind kind);
