#include "cli/design_file.h"

#include "cli/commands.h"
#include "page/loaded_design.h"
#include "settings/paper_settings.h"

#include <QTextStream>

Failure openDesignFile(const QString& designPath, LoadedDesign& loaded, QTextStream& err,
                       PageWithoutPicture without) {
    PaperSettings settings;
    if (Failure failure = loadDesign(designPath, settings); failure.failed())
        return failure;
    const char* const goesOn = without == PageWithoutPicture::Printed ? "printed" : "drawn";
    for (const QString& failure : loaded.open(pageDesignOf(settings)))
        err << "Warning: " << failure << " The page is " << goesOn << " without it.\n";
    return Failure::none();
}
