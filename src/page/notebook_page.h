#pragma once

struct PageDesign;

// A notebook printed on both sides of its sheets binds every sheet at the same edge: seen from
// its own side, an even page has the binding on its right.

// Whether the page drawn is an even page whose sides swap.
bool isMirroredPage(const PageDesign& design);

// The design as its own page draws it: on a mirrored page the left and right edges trade places,
// with their lines and the stretches where the ruling stops, and so do the placed picture's
// left and right corners. Other pages are drawn as designed. Applied once per page: applied
// again, an even page would swap back.
PageDesign designOfPage(const PageDesign& design);
