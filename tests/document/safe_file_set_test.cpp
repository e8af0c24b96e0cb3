// A set of files replaces its old files all together or not at all.
#include "document/safe_file_set.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

QByteArray contentOf(const QString& file) {
    QFile read(file);
    return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray("(none)");
}

void write(const QString& file, const QByteArray& content) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content);
}

// The files are put in place one after another; whichever of them is blocked when its turn
// comes, those before it are put back, and a file that was not there before is gone again.
TEST(SafeFileSet, AFileThatCannotTakeItsPlacePutsBackTheOnesBeforeIt) {
    const QStringList names{"a.png", "b.svg", "c.json"};
    for (const QString& blocked : names) {
        SCOPED_TRACE(blocked.toStdString());
        QTemporaryDir folder;
        const QDir dir(folder.path());
        write(dir.filePath("a.png"), "old a");
        write(dir.filePath("c.json"), "old c");
        std::map<QString, QByteArray> before;
        for (const QString& name : names)
            before[name] = contentOf(dir.filePath(name));

        std::optional<QString> error;
        {
            SafeFileSet files;
            for (const QString& name : names) {
                QString staged;
                ASSERT_EQ(files.stage(dir.filePath(name), staged), std::nullopt);
                write(staged, "new " + name.toUtf8());
            }
            // A folder that takes a file's name after the checks.
            QFile::remove(dir.filePath(blocked));
            ASSERT_TRUE(dir.mkdir(blocked));
            error = files.commit();
        }
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->startsWith(dir.filePath(blocked))) << error->toStdString();

        for (const QString& name : names) {
            if (name != blocked) {
                EXPECT_EQ(contentOf(dir.filePath(name)), before[name]) << name.toStdString();
            }
        }
        EXPECT_TRUE(QFileInfo(dir.filePath(blocked)).isDir());
        // b.svg was not there before, and is not there after.
        QStringList expected{"a.png", "c.json"};
        if (!expected.contains(blocked))
            expected << blocked;
        expected.sort();
        EXPECT_EQ(dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), expected);
    }
}

} // namespace
