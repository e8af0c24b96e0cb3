#pragma once

#include <QFileInfo>
#include <QString>

// The questions asked before a design or a file is given up.
namespace SaveChangesQuestion {
inline QString text(const QString& documentName) {
    const QString design = documentName.isEmpty()
                               ? QStringLiteral("The design")
                               : QStringLiteral("\"%1\"").arg(QFileInfo(documentName).fileName());
    return QStringLiteral("%1 has changes that are not saved. Save them first?").arg(design);
}
} // namespace SaveChangesQuestion

namespace ReplaceQuestion {
inline QString text(const QString& fileName) {
    return QStringLiteral("\"%1\" already exists. Replace it?").arg(fileName);
}
} // namespace ReplaceQuestion
