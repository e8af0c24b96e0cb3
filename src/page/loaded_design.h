#pragma once

#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "settings/page_design.h"

#include <QStringList>

// A design with the two pictures it names and the layers that draw them: opened once, then
// drawn by the window, the verbs and printing alike, so that all of them show the same page.
// The records may be replaced later (the window reloads a picture whose name changes); the
// layers look at them afresh at every paint.
class LoadedDesign {
  public:
    LoadedDesign();
    LoadedDesign(const LoadedDesign&) = delete;
    LoadedDesign& operator=(const LoadedDesign&) = delete;

    // Takes `design` and opens both its pictures into the records, as the window opens them.
    // Returns, for each picture whose file name names something that cannot be opened, why (a
    // sentence naming the file); an empty name asks for no picture. A picture that fails
    // leaves its record empty, and the page is drawn without it.
    QStringList open(const PageDesign& design);

    PageDesign design;
    // The placed picture and the background texture as filtered; empty while their file names
    // name no picture that opens.
    PictureRecord PictureDib;
    PictureRecord TextureDib;

    // The pictures as the page's layers, whose stretched copies are kept from paint to paint.
    const PageLayers& layers() const { return m_layers; }
    // Layers with stretched copies of their own, which go with them: a print job or an export
    // stretches the pictures for its own page, and should not leave those copies behind.
    PicturePageLayers ownLayers() const;

  private:
    PicturePageLayers m_layers;
};
