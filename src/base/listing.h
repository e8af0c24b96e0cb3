#pragma once

#include <QStringList>

// "A, B or C": the choices a message offers.
inline QString listedWithOr(const QStringList& items) {
    if (items.size() < 2)
        return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           items.last();
}
