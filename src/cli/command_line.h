#pragma once

#include "cli/commands.h"

#include <QString>
#include <QStringList>

#include <span>

class QTextStream;

// A verb's work, given the words after the verb.
using VerbRun = int (*)(const QStringList& words, QTextStream& out, QTextStream& err);

// The program's arguments after its own name. File names among them keep the system's bytes,
// which the toolkit's list of arguments loses when they are not UTF-8.
QStringList commandLineWords(int argc, char* argv[]);

// Whether `word` (the first argument) names one of the headless verbs or asks for help.
bool isCommandLineVerb(const QString& word);
// Whether `word` names a verb that prints or asks the print server, which the program's
// printing part runs.
bool isPrintingVerb(const QString& word);

// The words left for the program once the toolkit's own options (a style, a platform, the
// first window's geometry or title and the like) are out, with the platform they choose.
// The toolkit reads those options from the arguments itself, wherever they stand before a
// verb or "--"; the words after either are the verb's or names of files.
struct ProgramWords {
    QStringList words;
    QString platform; // empty unless an option chooses one
};
ProgramWords withoutToolkitOptions(const QStringList& words);

// What a headless verb needs of the toolkit, so that a verb that only reads and writes files
// starts without fonts, screens or a platform plugin.
enum class ToolkitNeed {
    DataOnly, // files, pictures and JSON
    Drawing,  // fonts, the palette and painters
};

// What the command line starting with `word` needs; anything that is not a verb or help is
// given the drawing toolkit.
ToolkitNeed toolkitNeedOf(const QString& word);

// A verb of the printing part, given to the command line by the part that holds it.
struct PrintingVerb {
    const char* name;
    VerbRun run;
};

// Runs a headless verb. `arguments` starts with the verb. Results go to `out`, messages that
// name the file and what went wrong to `err`. The verbs that print are run from
// `printingVerbs`; the part without printing never hands them over.
int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   std::span<const PrintingVerb> printingVerbs = {});

QString usageText();
