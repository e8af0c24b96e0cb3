// Files dropped on the window, delivered as the desktop delivers them: to the window, which
// finds the widget under the drop.
#include "app/ui/artwork.h"
#include "document/document_file.h"
#include "support/succeeds.h"
#include "widgets/file_name_edit.h"
#include "window_fixture.h"

#include <QTabWidget>

namespace {

using FileDropTest = WindowTest;

TEST_F(FileDropTest, ADesignOpensAnywhereAndAPictureNamesThePictureOfItsPage) {
    PaperSettings design;
    design.setText(Setting::Edit1, QStringLiteral("dropped"));
    const QString designFile = folder.filePath(QStringLiteral("design.LVO"));
    ASSERT_SUCCEEDS(saveDocument(design, designFile));
    const QString picture = folder.filePath(QStringLiteral("logo.bmp"));

    struct Row {
        const char* name;
        PageId page;
        const char* target;
        QString file;
        Setting changed; // what the drop sets; left as New has it where the drop is refused
        QString value;
    };
    const Row rows[] = {
        {"a design on the tool strip", PageId::Basic, "ToolStrip", designFile, Setting::Edit1,
         "dropped"},
        {"a design on a picture page", PageId::Texture, "PreViewBtn2", designFile, Setting::Edit1,
         "dropped"},
        {"a picture on the Insert picture page", PageId::Picture, "PreViewBtn", picture,
         Setting::FilenameEdit1, picture},
        {"a picture on the Background texture page", PageId::Texture, "PreViewBtn2", picture,
         Setting::FilenameEdit2, picture},
        {"a picture on the file name field", PageId::Picture, "FilenameEdit1", picture,
         Setting::FilenameEdit1, picture},
        {"a picture on a page without one", PageId::Basic, "KariertCheck", picture,
         Setting::FilenameEdit1, ""},
        {"a picture beside its page", PageId::Picture, "ToolStrip", picture, Setting::FilenameEdit1,
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        app.settings.resetToNew();
        window->pages()->setCurrentIndex(int(row.page));
        QWidget* target = control(row.target);
        if (auto* edit = qobject_cast<FileNameEdit*>(target))
            target = edit->lineEdit();
        EXPECT_EQ(dropOn(target, row.file), !row.value.isEmpty());
        EXPECT_EQ(app.settings.text(row.changed), row.value);
        EXPECT_TRUE(dialogs.errorMessages.isEmpty());
    }
}

} // namespace
