#include "cli/command_line.h"

#include "base/system_file_names.h"
#include "cli/commands.h"
#include "output/paper_sizes.h"

#include <QTextStream>

namespace {

struct Verb {
    const char* name;
    VerbRun run; // null for a verb of the printing part, which runs it
    ToolkitNeed need;
};

// The verbs that print or ask the print server are only named here: their code, and the
// libraries it needs, are loaded only when one of them is asked for.
constexpr Verb kVerbs[] = {
    {"render", runRenderCommand, ToolkitNeed::Drawing},
    {"show", runShowCommand, ToolkitNeed::DataOnly},
    {"save", runSaveCommand, ToolkitNeed::DataOnly},
    {"print", nullptr, ToolkitNeed::Drawing},
    {"print-test", nullptr, ToolkitNeed::Drawing},
    {"calibrate", nullptr, ToolkitNeed::Drawing},
    {"picture", runPictureCommand, ToolkitNeed::DataOnly},
    {"print-picture", nullptr, ToolkitNeed::Drawing},
};

const Verb* verbNamed(const QString& word) {
    for (const Verb& verb : kVerbs) {
        if (word == QLatin1String(verb.name))
            return &verb;
    }
    return nullptr;
}

// The options the window's toolkit takes out of the arguments, some of them only on an X
// display, and whether they take the next word as their value or one after "=".
struct ToolkitOption {
    const char* name;
    bool takesValue;
    bool takesJoinedValue = false;
};

constexpr ToolkitOption kToolkitOptions[] = {
    {"style", true, true},
    {"stylesheet", true, true},
    {"session", true, true},
    {"widgetcount", false},
    {"reverse", false},
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowtitle", true},
    {"qwindowicon", true},
    {"display", true},
    {"geometry", true},
    {"title", true},
    {"name", true},
    {"icon", true},
};

// The word without the one or two dashes before a toolkit option; empty without them.
QStringView undashed(const QString& word) {
    if (word.startsWith(u"--"))
        return QStringView(word).mid(2);
    return word.startsWith(u'-') ? QStringView(word).mid(1) : QStringView();
}

// How many words the toolkit option at `words[at]` takes, its value included; 0 when it is
// none, or lacks its value and is left to be refused with the other words.
qsizetype toolkitOptionLength(const QStringList& words, qsizetype at) {
    const QStringView name = undashed(words[at]);
    if (name.isEmpty())
        return 0;
    for (const ToolkitOption& option : kToolkitOptions) {
        if (name == QLatin1String(option.name))
            return !option.takesValue ? 1 : at + 1 < words.size() ? 2 : 0;
        if (option.takesJoinedValue && name.startsWith(QLatin1String(option.name) + u'='))
            return 1;
    }
    return 0;
}

bool isHelp(const QString& word) {
    return word == u"--help" || word == u"-h" || word == u"help";
}

} // namespace

QString usageText() {
    const QString text = QStringLiteral(
        "Usage:\n"
        "  lineavo-pressolo [QT-OPTIONS] [DESIGN.lvo]\n"
        "      Opens the window, with the design if one is given. The window takes Qt's\n"
        "      standard options, such as -style NAME, -platform NAME, -reverse and\n"
        "      -qwindowgeometry WxH+X+Y.\n"
        "  lineavo-pressolo render [DESIGN.lvo] --output FILE [--dpi N]\n"
        "                   [--page WxH | --paper %1 [--landscape]]\n"
        "                   [--calibration LEFT,TOP,WIDTH,HEIGHT | --printer NAME]\n"
        "                   [--zoom PERCENT [--screen-dpi N]]\n"
        "                   [--thumbnail SIZE] [--png-compression fast|best] [--vector]\n"
        "                   [--pages N]\n"
        "      Draws the page as the print does: a printer of N dots per inch (default 600)\n"
        "      whose printable area is W x H device pixels or a whole sheet of the named\n"
        "      size, upright unless --landscape (default A4 at N dpi), with the\n"
        "      calibration in millimetres (default: the saved calibration, else "
        "0,0,100,100).\n"
        "      --printer NAME takes that printer's calibration as printing on it does.\n"
        "      FILE is .png, .bmp (24-bit), .pdf or .svg. A PDF is exact for N dpi unless\n"
        "      --vector asks for vector graphics; an SVG is always vector graphics. There\n"
        "      every line and dot lies at its place in millimetres, whatever the reader's\n"
        "      resolution; lines merged with the texture by XOR or NOT are pictures of their\n"
        "      pixels at N dpi over the areas they cover. With --zoom, draws what the preview "
        "shows\n"
        "      at that zoom on a screen of --screen-dpi dots per inch (default 96).\n"
        "      With --thumbnail, draws the preview on a screen of 96 dots per inch, zoomed so\n"
        "      that the page's longer side is SIZE pixels, as PNG whatever FILE's name.\n"
        "      A PNG is compressed fast unless --png-compression best asks for the smallest\n"
        "      file, at several times the time. --pages N (1 to 10,000) writes a notebook of\n"
        "      N pages, numbered on from the design's first page number, into one PDF.\n"
        "      Without a design, draws the defaults of New.\n"
        "  lineavo-pressolo render [DESIGN.lvo] --device NAME|list (--output FILE | --bundle "
        "DIR)\n"
        "                   [--landscape] [--toolbar-margin PX] [--snap-pixels] [--vector]\n"
        "      Draws the page for an e-ink tablet's screen: as the print does for a printer\n"
        "      whose printable area is the screen, upright unless --landscape, at the\n"
        "      screen's pixels per inch and without calibration (a screen needs none).\n"
        "      FILE is .png (8-bit grey) or, where the tablet takes PDF templates, .pdf.\n"
        "      --device list prints the tablets. --toolbar-margin keeps a band of PX pixels\n"
        "      at the left white, where the toolbar lies (default: the tablet's).\n"
        "      --snap-pixels rounds every spacing to whole pixels, so that every line looks\n"
        "      the same. --bundle, for the reMarkable tablets, writes DIR/NAME.png,\n"
        "      DIR/NAME.svg and DIR/templates.json, NAME being the design's file name.\n"
        "  lineavo-pressolo show DESIGN.lvo\n"
        "      Prints every stored setting of the design as one JSON object.\n"
        "  lineavo-pressolo save [DESIGN.lvo] OUTPUT.lvo [--preset NAME] [--set NAME=VALUE]...\n"
        "      Opens the design (or starts from New), applies each setting as its field does,\n"
        "      and writes OUTPUT.lvo. NAME is a name that show prints; a radio button is\n"
        "      switched on with NAME=on; colours are a decimal colour value or #RRGGBB.\n"
        "      A preset (college, wide, seyes, engineering, dots, handwriting, music,\n"
        "      millimetre, isometric, hex, cornell, copperplate) sets the paper first and\n"
        "      keeps the edges, pictures and free text.\n"
        "  lineavo-pressolo print [DESIGN.lvo] [--printer NAME] [--copies N] [--pages N]\n"
        "      Prints the design (or the defaults of New) as the Print button does, with the\n"
        "      printer's calibration, on the named printer or else the default one; each copy\n"
        "      has --pages N pages (default 1), numbered on from the design's first page number.\n"
        "  lineavo-pressolo print-test [--printer NAME]\n"
        "      Prints the calibration's 100 mm test rectangle on the named printer or else\n"
        "      the default one.\n"
        "  lineavo-pressolo calibrate [--printer NAME]\n"
        "      Prints the printer's calibration as one JSON object: the left and top\n"
        "      distances and the width and height of the test rectangle in millimetres, and\n"
        "      whether it is the printer's own or the common one that serves every printer\n"
        "      without its own.\n"
        "  lineavo-pressolo calibrate --printer NAME --width MM --height MM --left MM --top MM\n"
        "      Sets the printer's own calibration: width and height from 70 to 130, left\n"
        "      and top from 0 to 10. A printer's own calibration applies its top distance.\n"
        "  lineavo-pressolo calibrate --printer NAME --reset\n"
        "      Removes the printer's own calibration; it prints with the common one again.\n"
        "  lineavo-pressolo picture FILE [--grayscale] [--lighten] [--strong-lighten]\n"
        "                   [--output OUT.png|OUT.bmp]\n"
        "      Opens the picture as the window does and prints its width, height, depth,\n"
        "      colors (palette entries held) and format as one JSON object. The switches\n"
        "      filter it as the texture's check boxes do; --strong-lighten acts only with\n"
        "      --lighten. --output writes the pixels as held: PNG, or BMP in the picture's\n"
        "      own depth with its palette.\n"
        "  lineavo-pressolo print-picture FILE [--printer NAME] [--width PERCENT\n"
        "                   [--height PERCENT]] [--keep-aspect|--stretch] "
        "[--centered|--top-left]\n"
        "      Prints the picture alone on a page as the picture viewer does. By default it\n"
        "      fills the printable area as far as its aspect ratio allows, centred. --width\n"
        "      prints it at that percentage of the area's width; with the aspect ratio kept\n"
        "      the height follows from it (the width is lowered until the height fits), with\n"
        "      --stretch --height gives the height's.\n"
        "      Percentages are whole numbers from 1 to 100.\n"
        "\n"
        "A word \"--\" ends the options, so that a file name may start with a dash.\n"
        "Errors are reported on standard error; the exit status is 1 for a failure and 2\n"
        "for a usage error.\n");
    return text.arg(namedPaperNames().join(u'|'));
}

QStringList commandLineWords(int argc, char* argv[]) {
    QStringList words;
    for (int i = 1; i < argc; ++i)
        words << fileNameFromSystem(argv[i]);
    return words;
}

bool isCommandLineVerb(const QString& word) {
    return isHelp(word) || verbNamed(word);
}

bool isPrintingVerb(const QString& word) {
    const Verb* verb = verbNamed(word);
    return verb && !verb->run;
}

ProgramWords withoutToolkitOptions(const QStringList& words) {
    ProgramWords left;
    for (qsizetype at = 0; at < words.size();) {
        if (words[at] == u"--" || isCommandLineVerb(words[at])) {
            left.words += words.mid(at);
            break;
        }
        const qsizetype length = toolkitOptionLength(words, at);
        if (length == 0) {
            left.words << words[at++];
            continue;
        }
        if (undashed(words[at]) == u"platform")
            left.platform = words[at + 1];
        at += length;
    }
    return left;
}

ToolkitNeed toolkitNeedOf(const QString& word) {
    // Help and a mistyped command are told so without fonts or screens.
    const Verb* verb = verbNamed(word);
    return verb ? verb->need : ToolkitNeed::DataOnly;
}

int runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                   std::span<const PrintingVerb> printingVerbs) {
    if (arguments.isEmpty() || isHelp(arguments.first())) {
        out << usageText();
        return ExitSuccess;
    }
    const QStringList words = arguments.mid(1);
    if (words.mid(0, words.indexOf(QStringLiteral("--"))).contains(QStringLiteral("--help"))) {
        out << usageText();
        return ExitSuccess;
    }
    if (const Verb* verb = verbNamed(arguments.first()); verb && verb->run)
        return verb->run(words, out, err);
    for (const PrintingVerb& verb : printingVerbs) {
        if (arguments.first() == QLatin1String(verb.name))
            return verb.run(words, out, err);
    }
    // The window opens one design that exists; anything else is a mistyped command.
    const QString word = arguments.first() == u"--" ? words.value(0) : arguments.first();
    if (isRegularFile(word))
        err << "The window opens one design file alone; the words after \"" << word
            << "\" are not understood. See --help.\n";
    else
        err << "Unknown command \"" << word
            << "\": it is neither a command nor a design file that exists. See --help.\n";
    return ExitUsage;
}
