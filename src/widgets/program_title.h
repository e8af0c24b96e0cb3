#pragma once

#include "program_version.h"

#include <QString>

// The program's title, which its error messages carry. It is not given to the toolkit as the
// application's display name: on a desktop that would be appended to every window's title.
inline const QString kProgramTitle = QStringLiteral("Lineavo-Pressolo " LINEAVO_VERSION);
