#include "app/command_arguments.h"

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

std::optional<QString> parseCommandArguments(const QStringList& words,
                                             const QStringList& optionNames,
                                             CommandArguments& result) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (!word.startsWith(QLatin1String("--")) || word == QLatin1String("--")) {
            result.positional << word;
            continue;
        }
        QString name = word.mid(2);
        QString value;
        const qsizetype equals = name.indexOf(u'=');
        if (equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            return QStringLiteral("The option --%1 needs a value.").arg(name);
        }
        if (!optionNames.contains(name))
            return QStringLiteral("Unknown option --%1.").arg(name);
        result.options.emplace_back(name, value);
    }
    return std::nullopt;
}
