#include "settings/paper_kind.h"

#include "document/document_file.h"
#include "settings/paper_settings.h"
#include "settings/setting_names.h"
#include "support/succeeds.h"

#include <gtest/gtest.h>

namespace {

// A kind is chosen by its control's name on the command line, shown under it, and kept by a
// document, whichever kind was chosen before.
TEST(PaperKinds, EachKindIsNamedByItsControlAndKeptByADocument) {
    const QString documentPath = QStringLiteral("/tmp/kinds.lvo");
    for (const PaperKindDescription& row : paperKinds()) {
        const QString name = QLatin1String(row.controlName);
        for (const PaperKindDescription& before : paperKinds()) {
            PaperSettings s;
            s.setPaperKind(before.kind);
            ASSERT_SUCCEEDS(assignSetting(s, name, QStringLiteral("on"))) << row.controlName;
            EXPECT_EQ(s.paperKind(), row.kind) << row.controlName;
            for (const PaperKindDescription& other : paperKinds())
                EXPECT_EQ(settingsToJson(s)[QLatin1String(other.controlName)].toBool(),
                          other.kind == row.kind)
                    << row.controlName;

            QByteArray bytes;
            ASSERT_SUCCEEDS(encodeDocument(s, documentPath, bytes));
            PaperSettings reopened;
            reopened.setPaperKind(before.kind);
            ASSERT_SUCCEEDS(applyDocument(reopened, bytes, documentPath));
            EXPECT_EQ(reopened.paperKind(), row.kind) << row.controlName;
        }
    }
}

} // namespace
