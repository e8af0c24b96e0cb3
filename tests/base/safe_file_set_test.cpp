// A set of files replaces its old files all together or not at all.
#include "base/safe_file_set.h"
#include "support/succeeds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray contentOf(const QString& file) {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray("(none)");
}

// The files take their places one after another; whichever is blocked when its turn comes,
// those before it are put back, and one that was not there before is gone again.
TEST(SafeFileSet, AFileThatCannotTakeItsPlacePutsBackTheOnesBeforeIt) {
    const QStringList names{"a", "b", "c"};
    for (const QString& blocked : names) {
        SCOPED_TRACE(blocked.toStdString());
        QTemporaryDir folder;
        const QDir dir(folder.path());
        for (const char* old : {"a", "c"}) {
            QFile file(dir.filePath(old));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        }
        Failure error;
        {
            SafeFileSet files;
            for (const QString& name : names) {
                QString staged;
                ASSERT_SUCCEEDS(files.stage(dir.filePath(name), staged));
                QFile file(staged);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("new") == 3);
            }
            // A folder takes the file's name after the checks.
            QFile::remove(dir.filePath(blocked));
            ASSERT_TRUE(dir.mkdir(blocked));
            error = files.commit();
        }
        ASSERT_TRUE(error.failed() && error.message().startsWith(dir.filePath(blocked)))
            << error.message().toStdString();
        for (const QString& name : names) {
            if (name != blocked) {
                EXPECT_EQ(contentOf(dir.filePath(name)), name == "b" ? "(none)" : "old");
            }
        }
        EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                  blocked == "b" ? 3 : 2);
    }
}

} // namespace
