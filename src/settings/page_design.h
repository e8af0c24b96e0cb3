#pragma once

#include "settings/color_value.h"
#include "settings/free_text_font.h"
#include "settings/paper_kind.h"

#include <QString>

#include <array>

// The picture's radio groups, by the numbers of their buttons.
enum class PictureCorner { obenlinks = 0, obenrechts = 1, untenlinks = 2, untenrechts = 3 };
enum class MergeMode { NOMergeCheck = 0, Merge1Check = 1, Merge2Check = 2 };
enum class PageNumberPosition { None = 0, BottomCentre = 1, BottomOutside = 2, TopOutside = 3 };
enum class HolesPattern { None = 0, TwoHoles80 = 1, FourHoles80 = 2, ThreeHoles108 = 3 };

// A design as the page is drawn from it: plain values, each as its field will hold it once
// left. While the user types, a field may read "-5" or "0"; drawn with such a spacing, the
// ruling would never reach the page's end. Lengths are in millimetres, widths and dot sizes
// in points. Colours stay design colour values, so that a system colour follows the desktop.
// Made plainly, every value is zero, empty or the first choice: New's values are the settings
// table's alone, and newPageDesign() gives them.
struct PageDesign {
    PaperKind kind = PaperKind::Ruled;

    // Ruled paper: the line pitch, the margins above and below the lines, which lines go,
    // and the guide lines drawn at offsets above each line (0: no guide).
    double lineSpacingMm = 0;
    double topMarginMm = 0;
    double bottomMarginMm = 0;
    bool withoutFirstLine = false;
    bool withoutLastLine = false;
    std::array<double, 4> guideOffsetsMm{};
    ColorValue guideColour = 0;
    double guideWidthPoints = 0;
    bool guidesDashed = false;

    // Checkered paper and dot grids: the grid pitch, and every N-th row and column in bold.
    double gridSpacingMm = 0;
    int majorEvery = 0;
    ColorValue majorColour = 0;
    double majorWidthPoints = 0;
    double dotSizePoints = 0;
    double majorDotSizePoints = 0;
    bool roundDots = false;

    ColorValue lineColour = 0;
    double lineWidthPoints = 0;

    // The side edges: where they lie, whether a line marks them, and whether the ruling stops
    // at them.
    double leftEdgeMm = 0;
    double rightEdgeMm = 0;
    bool leftEdgeLine = false;
    bool rightEdgeLine = false;
    bool noFillLeftOfEdge = false;
    bool noFillRightOfEdge = false;
    ColorValue edgeLineColour = 0;
    double edgeLineWidthPoints = 0;

    // The placed picture: its file as typed, its corner, its distance from that corner and
    // its box, which the picture fills in its own proportions when `keepAspect` is on.
    struct Picture {
        QString fileName;
        PictureCorner corner = PictureCorner::obenlinks;
        double xMm = 0;
        double yMm = 0;
        double widthMm = 0;
        double heightMm = 0;
        bool keepAspect = false;
    } picture;

    // The texture: its file, the box of one tile, its filters and how the lines meet it.
    struct Texture {
        QString fileName;
        double widthMm = 0;
        double heightMm = 0;
        bool keepAspect = false;
        bool grayScale = false;
        bool lighten = false;
        bool strongLight = false;
        MergeMode merge = MergeMode::NOMergeCheck;
    } texture;

    QString freeText;
    FreeTextFont font;

    // Isometric paper as dots only; hexagons with a point on top; slant lines on ruled paper,
    // at an angle from the horizontal and a spacing along it.
    bool isometricDotsOnly = false;
    bool hexagonPointyTop = false;
    bool slantLines = false;
    double slantAngleDegrees = 0;
    double slantSpaceMm = 0;

    // Ruled paper for Cornell notes: a cue column right of the left edge and a summary area
    // above the ruling's bottom, marked in the edge lines' pen.
    bool cornellNotes = false;
    double cueWidthMm = 0;
    double summaryHeightMm = 0;
    // Checkered paper and dot grids: every N-th row, column or dot, counted as the bold ones
    // are, in a second pen instead of the bold one (0: none).
    int major2Every = 0;
    double major2WidthPoints = 0;
    ColorValue major2Colour = 0;

    // A notebook: the number of the page drawn (a single page is the first page), where it is
    // written, in the free text's font and colour, and how far from the sheet's edge; whether
    // even pages swap their left and right sides; where punch holes are marked.
    int pageNumber = 0;
    PageNumberPosition pageNumberPosition = PageNumberPosition::None;
    double pageNumberMarginMm = 0;
    bool mirrorMargins = false;
    HolesPattern holes = HolesPattern::None;
    // A 100 mm ruler along the page's bottom, to check the printed size with a real one.
    bool checkRuler = false;
};

// The design of New, as the settings table gives it.
PageDesign newPageDesign();
