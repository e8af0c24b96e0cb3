// Any bytes opened as a document: either refused whole, or a design that can be saved again
// and reads back as the same design.
#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/setting_names.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const QString documentPath = QStringLiteral("/designs/paper.lvo");

    PaperSettings opened;
    const QJsonObject untouched = settingsToJson(opened);
    if (applyDocument(opened, bytes, documentPath).failed()) {
        if (settingsToJson(opened) != untouched)
            std::abort(); // a refused document changed the design
        return 0;
    }

    QByteArray saved;
    if (encodeDocument(opened, documentPath, saved).failed())
        std::abort(); // what was read must be writable again
    PaperSettings reopened;
    if (applyDocument(reopened, saved, documentPath).failed())
        std::abort();
    if (settingsToJson(reopened) != settingsToJson(opened))
        std::abort();
    QByteArray savedAgain;
    if (encodeDocument(reopened, documentPath, savedAgain).failed() || savedAgain != saved)
        std::abort();
    return 0;
}
