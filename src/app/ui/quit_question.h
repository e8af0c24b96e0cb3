#pragma once

#include <QString>

// The question asked whenever the main window is about to close.
namespace QuitQuestion {
inline const QString title = QStringLiteral("Quit program");
inline const QString text =
    QStringLiteral("Hereby you quit the program! All data not saved will be lost!");
} // namespace QuitQuestion
