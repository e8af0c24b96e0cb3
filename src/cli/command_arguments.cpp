#include "cli/command_arguments.h"

std::optional<QString> CommandArguments::last(const QString& name) const {
    std::optional<QString> value;
    for (const auto& [key, v] : options) {
        if (key == name)
            value = v;
    }
    return value;
}

QStringList CommandArguments::all(const QString& name) const {
    QStringList values;
    for (const auto& [key, v] : options) {
        if (key == name)
            values << v;
    }
    return values;
}

Failure parseCommandArguments(const QStringList& words, const QStringList& optionNames,
                              CommandArguments& result, const QStringList& switchNames) {
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (optionsEnded || !word.startsWith(u'-')) {
            // Every word that is not an option names a file, and "" names none: taking it for
            // no file at all would quietly draw or save the defaults.
            if (word.isEmpty())
                return Failure::because(QStringLiteral("No file name given."));
            result.positional << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!word.startsWith(QLatin1String("--")))
            return Failure::because(QStringLiteral("Unknown option %1.").arg(word));
        QString name = word.mid(2);
        const qsizetype equals = name.indexOf(u'=');
        const bool valueAttached = equals >= 0;
        if (valueAttached)
            name.truncate(equals);
        if (switchNames.contains(name)) {
            if (valueAttached)
                return Failure::because(
                    QStringLiteral("The option --%1 takes no value.").arg(name));
            result.switches << name;
            continue;
        }
        if (!optionNames.contains(name))
            return Failure::because(QStringLiteral("Unknown option --%1.").arg(name));
        if (valueAttached)
            result.options.emplace_back(name, word.mid(2 + equals + 1));
        else if (i + 1 < words.size())
            result.options.emplace_back(name, words[++i]);
        else
            return Failure::because(QStringLiteral("The option --%1 needs a value.").arg(name));
    }
    return Failure::none();
}
