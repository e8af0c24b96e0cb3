#pragma once

#include <array>
#include <span>

// The kinds of paper, by the numbers of their buttons, which documents store.
enum class PaperKind { Ruled = 0, Checkered = 1, DotGrid = 2, Isometric = 3, Hexagonal = 4 };

// Which properties the first page offers for a kind: ruled lines with their guides, the
// grid, whose dot controls only a kind that draws dots may use, or a lattice of its own.
enum class PaperProperties { RuledLines, GridLines, GridDots, IsometricLattice, HexagonalLattice };

struct PaperKindDescription {
    PaperKind kind;
    // The radio button's object name, which also names the kind in documents, in `--set
    // NAME=on` and in presets.
    const char* controlName;
    const char* caption;
    PaperProperties properties;
    // Whether the side edges move onto the grid, so that the ruling starts and ends on them.
    bool snapsToGrid;
};

// One row per kind, row i describing PaperKind(i). The drawing of each kind is in the render
// folder, in a file of its own.
inline constexpr PaperKindDescription kPaperKinds[] = {
    {PaperKind::Ruled, "LiniertCheck", "Ruled paper", PaperProperties::RuledLines, false},
    {PaperKind::Checkered, "KariertCheck", "Checkered paper", PaperProperties::GridLines, true},
    // A dot grid lies on the crossings of the checkered grid, edges and all.
    {PaperKind::DotGrid, "DotGridCheck", "Dot grid", PaperProperties::GridDots, true},
    // Lattices start on the left edge itself; the square grid's positions mean nothing to them.
    {PaperKind::Isometric, "IsoCheck", "Isometric", PaperProperties::IsometricLattice, false},
    {PaperKind::Hexagonal, "HexCheck", "Hexagonal", PaperProperties::HexagonalLattice, false},
};
inline constexpr int kPaperKindCount = int(std::size(kPaperKinds));

constexpr bool paperKindRowsFollowTheKinds() {
    for (int i = 0; i < kPaperKindCount; ++i) {
        if (kPaperKinds[i].kind != PaperKind(i))
            return false;
    }
    return true;
}
static_assert(paperKindRowsFollowTheKinds(), "row i of the kinds must describe PaperKind(i)");

inline std::span<const PaperKindDescription> paperKinds() {
    return kPaperKinds;
}
inline const PaperKindDescription& describe(PaperKind kind) {
    return kPaperKinds[int(kind)];
}
