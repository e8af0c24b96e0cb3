#pragma once

#include <QString>

// The folder of the program, always ending in one "/": where the document dialogs start.
QString programDirFrom(const QString& applicationDirPath);
QString programDir();
