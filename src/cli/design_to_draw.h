#pragma once

#include "page/picture_page_layers.h"
#include "picture/picture_record.h"
#include "settings/page_design.h"

#include <QString>

#include <optional>

class QTextStream;

// A design file opened for a verb that draws it: the page's design, and the two pictures it
// names as the layers of the page.
class DesignToDraw {
  public:
    DesignToDraw() = default;
    DesignToDraw(const DesignToDraw&) = delete;
    DesignToDraw& operator=(const DesignToDraw&) = delete;

    // Opens `designPath` (empty: the defaults of New) and its pictures. A picture that cannot
    // be opened is a warning on `err`, and the page is drawn without it. Returns
    // "FILE: message" when the design itself cannot be opened.
    std::optional<QString> open(const QString& designPath, QTextStream& err);

    const PageDesign& design() const { return m_design; }
    const PageLayers& layers() const { return m_layers; }

  private:
    PageDesign m_design;
    PictureRecord m_texture;
    PictureRecord m_picture;
    PicturePageLayers m_layers{m_texture, m_picture};
};
