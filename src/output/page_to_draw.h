#pragma once

#include <functional>

class PageLayers;
struct PageDesign;
struct PageScale;

// One page as an output draws it: its scale on the device, the design, and what the page
// carries besides its lines.
struct PageToDraw {
    const PageScale& scale;
    const PageDesign& design;
    const PageLayers& layers;
};

// Told when an output has drawn its page and goes on to write the file.
using PageDrawn = std::function<void()>;
