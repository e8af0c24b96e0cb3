#include "cli/design_to_draw.h"

#include "cli/commands.h"
#include "page/design_pictures.h"
#include "settings/paper_settings.h"

#include <QTextStream>

std::optional<QString> DesignToDraw::open(const QString& designPath, QTextStream& err) {
    PaperSettings settings;
    if (auto error = loadDesign(designPath, settings))
        return error;
    m_design = pageDesignOf(settings);
    for (const QString& failure : openDesignPictures(m_design, m_texture, m_picture))
        err << "Warning: " << failure << " The page is drawn without it.\n";
    return std::nullopt;
}
