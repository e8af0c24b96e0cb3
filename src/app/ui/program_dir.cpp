#include "app/ui/program_dir.h"

#include <QCoreApplication>

QString programDirFrom(const QString& applicationDirPath) {
    // A program in the root folder already has its separator.
    return applicationDirPath.endsWith(u'/') ? applicationDirPath : applicationDirPath + u'/';
}

QString programDir() {
    return programDirFrom(QCoreApplication::applicationDirPath());
}
