#include "app/ui/web_address.h"

#include <QDesktopServices>
#include <QUrl>

void openWebAddress() {
    QDesktopServices::openUrl(QUrl(kWebAddress));
}
