// The manual page and the README describe the command line that --help describes.
#include "cli/printing/command_line.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString sourceFile(const QString& relativePath) {
    QFile file(QStringLiteral(LINEAVO_SOURCE_DIR "/") + relativePath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relativePath.toStdString();
    return QString::fromUtf8(file.readAll());
}

QStringList matches(const QString& text, const QString& pattern) {
    QStringList found;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(pattern, QRegularExpression::MultilineOption).globalMatch(text))
        found << match.captured(1);
    found.removeDuplicates();
    return found;
}

// The manual page's text with its escapes undone: "\-" is a dash, "\fB" and the like switch
// fonts.
QString manualText() {
    QString text = sourceFile(QStringLiteral("data/lineavo-pressolo.1"));
    text.replace(QStringLiteral("\\-"), QStringLiteral("-"));
    text.remove(QRegularExpression(QStringLiteral(R"(\\f[A-Z])")));
    return text;
}

// The block of the README's "Command line" section that lists every command.
QString readmeCommandBlock() {
    const QString readme = sourceFile(QStringLiteral("README.md"));
    const QString opening = QStringLiteral("## Command line\n\n```text\n");
    const qsizetype start = readme.indexOf(opening);
    if (start < 0)
        return {};
    const qsizetype from = start + opening.size();
    return readme.mid(from, readme.indexOf(QStringLiteral("```"), from) - from);
}

bool hasWord(const QString& text, const QString& word) {
    return text.contains(QRegularExpression(
        QStringLiteral(R"((?<![\w-])%1(?![\w-]))").arg(QRegularExpression::escape(word))));
}

TEST(HelpDocumentation, ManualPageAndReadmeNameEveryCommandAndOptionOfHelp) {
    const QString help = usageText();
    const QStringList verbs =
        matches(help, QStringLiteral(R"(^\s+lineavo-pressolo ([a-z][\w-]*))"));
    const QStringList options = matches(help, QStringLiteral(R"((?<![\w-])(--[a-z][\w-]*))"));
    ASSERT_GE(verbs.size(), 7);
    ASSERT_GE(options.size(), 20);

    const QString manual = manualText();
    const QString readme = readmeCommandBlock();
    ASSERT_FALSE(readme.isEmpty());
    for (const QString& verb : verbs) {
        SCOPED_TRACE(verb.toStdString());
        EXPECT_TRUE(hasWord(manual, QStringLiteral("lineavo-pressolo ") + verb))
            << "the manual page's synopsis";
        EXPECT_TRUE(manual.split(u'\n').contains(QStringLiteral(".B ") + verb))
            << "the manual page's list of commands";
        EXPECT_TRUE(hasWord(readme, QStringLiteral("lineavo-pressolo ") + verb));
    }
    for (const QString& option : options) {
        SCOPED_TRACE(option.toStdString());
        EXPECT_TRUE(hasWord(manual, option)) << "the manual page";
        EXPECT_TRUE(hasWord(readme, option)) << "the README";
    }
}

} // namespace
