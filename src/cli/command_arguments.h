#pragma once

#include "base/failure.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

// The words after a verb: positional arguments, options that take a value, written as
// "--name value" or "--name=value", and switches, written "--name". An option may be given more
// than once.
struct CommandArguments {
    QStringList positional;
    std::vector<std::pair<QString, QString>> options;
    QStringList switches;

    // The last value of an option, if it was given.
    std::optional<QString> last(const QString& name) const;
    QStringList all(const QString& name) const;
};

// Parses `words`, allowing only the options in `optionNames` and the switches in `switchNames`
// (without the dashes). A word "--" ends the options: every word after it is positional, even
// one starting with "-". Positional words name files and may not be empty. Fails with the usage
// error.
Failure parseCommandArguments(const QStringList& words, const QStringList& optionNames,
                              CommandArguments& result, const QStringList& switchNames = {});
