#pragma once

#include "base/failure.h"

#include <QString>

#include <functional>

class CurrentPrinter;
class QPainter;

// Runs one job of `pageCount` pages titled `title` on the current printer, `drawPage` drawing
// each page (counted from 0) in device pixels before the next is begun. Every failure, from a
// missing print server to a queue that refuses the finished job, comes back as a sentence.
Failure runPrintJob(CurrentPrinter& current, const QString& title, int pageCount,
                    const std::function<void(QPainter&, int page)>& drawPage);
