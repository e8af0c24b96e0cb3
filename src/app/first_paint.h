#pragma once

#include <functional>

class QWidget;

// Runs `work` once, as soon as the shown `window` has been painted for the first time, so
// that what can wait does not keep the user looking at an empty frame.
void afterFirstPaint(QWidget& window, std::function<void()> work);
