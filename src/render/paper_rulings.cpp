#include "render/paper_rulings.h"

namespace {

struct PaperRuling {
    PaperKind kind;
    RulePaper rule;
};

// One row per kind, in the order of the kinds.
constexpr PaperRuling kRulings[] = {
    {PaperKind::Ruled, ruleRuledPaper},         {PaperKind::Checkered, ruleCheckeredPaper},
    {PaperKind::DotGrid, ruleDotGridPaper},     {PaperKind::Isometric, ruleIsometricPaper},
    {PaperKind::Hexagonal, ruleHexagonalPaper},
};

constexpr bool everyKindHasItsRuling() {
    for (int i = 0; i < kPaperKindCount; ++i) {
        if (kRulings[i].kind != PaperKind(i))
            return false;
    }
    return std::size(kRulings) == size_t(kPaperKindCount);
}
static_assert(everyKindHasItsRuling(), "row i of the rulings must draw PaperKind(i)");

} // namespace

RulePaper rulingOf(PaperKind kind) {
    return kRulings[int(kind)].rule;
}
