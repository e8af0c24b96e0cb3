#pragma once

#include <QString>

// The maker's home page, opened by the web button and the about box.
inline const QString kWebAddress = QStringLiteral("https://www.example.com/lineavo");
inline const QString kWebCaption = QStringLiteral("example.com/lineavo");

// Asks the desktop to open the home page; a failure is silent.
void openWebAddress();
