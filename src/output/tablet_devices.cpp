#include "output/tablet_devices.h"

namespace {

// Every screen's pixels and pixels per inch are from the maker's published specifications of
// the model named beside it. None of those gives the width of the toolbar, so every toolbar
// margin is 0 until a maker documents one. Which tablets take PDF templates, and which a
// bundle of PNG, SVG and templates.json, is how each maker's templates are installed (see the
// README).
const TabletDevice kDevices[] = {
    // reMarkable 2; the first reMarkable has the same screen.
    {{"remarkable-2", "remarkable-1"}, {1404, 1872}, 226, 0, false, true},
    // reMarkable Paper Pro.
    {{"remarkable-paper-pro"}, {1620, 2160}, 229, 0, false, true},
    // reMarkable Paper Pro Move.
    {{"remarkable-paper-pro-move"}, {954, 1696}, 264, 0, false, true},
    // Supernote A5 X.
    {{"supernote-a5x"}, {1404, 1872}, 226, 0, false, false},
    // Supernote A6 X, and the Nomad, listed with it as the same screen.
    {{"supernote-a6x", "supernote-nomad"}, {1404, 1872}, 300, 0, false, false},
    // Supernote Manta.
    {{"supernote-manta"}, {1920, 2560}, 300, 0, false, false},
    // Kindle Scribe.
    {{"kindle-scribe"}, {1860, 2480}, 300, 0, true, false},
    // Boox Note Air.
    {{"boox-note-air"}, {1404, 1872}, 227, 0, true, false},
};

} // namespace

std::span<const TabletDevice> tabletDevices() {
    return kDevices;
}

const TabletDevice* tabletDeviceNamed(const QString& name) {
    for (const TabletDevice& device : kDevices) {
        if (device.names.contains(name))
            return &device;
    }
    return nullptr;
}

QStringList tabletDeviceNames() {
    QStringList names;
    for (const TabletDevice& device : kDevices)
        names << device.names;
    return names;
}

QString tabletDeviceListing() {
    QString text = QStringLiteral("%1 %2 %3 %4 %5\n")
                       .arg(QStringLiteral("NAME"), -42)
                       .arg(QStringLiteral("PIXELS"), -11)
                       .arg(QStringLiteral("PPI"), 3)
                       .arg(QStringLiteral("TOOLBAR"), 7)
                       .arg(QStringLiteral("FORMATS"));
    for (const TabletDevice& device : kDevices) {
        QStringList formats{QStringLiteral("png")};
        if (device.takesPdf)
            formats << QStringLiteral("pdf");
        if (device.takesTemplateBundle)
            formats << QStringLiteral("bundle");
        text +=
            QStringLiteral("%1 %2 %3 %4 %5\n")
                .arg(device.names.join(QStringLiteral(", ")), -42)
                .arg(QStringLiteral("%1x%2").arg(device.pixels.width()).arg(device.pixels.height()),
                     -11)
                .arg(device.pixelsPerInch, 3)
                .arg(device.toolbarMarginPixels, 7)
                .arg(formats.join(u','));
    }
    return text;
}
