#include "app/ui/pages.h"

#include <QVBoxLayout>

QVBoxLayout* stackedContent(QWidget* content) {
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    return layout;
}
