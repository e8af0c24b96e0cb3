#pragma once

#include <QString>

#include <functional>

class QObject;

// Opens `fileName` in the program the desktop has for its type. `outcome` learns whether one
// opened it, once that is known, unless `context` is gone by then. Where the desktop has no
// launcher of its own, the opener waits for the program it started, so the answer may come
// only when that program ends.
void openInDesktopProgram(QObject* context, const QString& fileName,
                          std::function<void(bool opened)> outcome);
