#include "app/window_part.h"
#include "base/interrupted_files.h"
#include "base/system_file_names.h"
#include "cli/commands.h"
#include "cli/headless_program.h"

#include <cstdio>

#include <dlfcn.h>

namespace {

// Whether the command line asks for the window or for a verb that prints: with no arguments
// or one design the program opens the window. A mistyped verb must neither open the window
// nor load it, so that it is told so at once, display or not.
bool needsWindowPart(const QStringList& words) {
    if (words.isEmpty() || isPrintingVerb(words.first()))
        return true;
    if (isCommandLineVerb(words.first()))
        return false;
    // "--" lets a document's name start with a dash.
    const QStringList design = words.first() == u"--" ? words.mid(1) : words;
    return design.size() == 1 && isRegularFile(design.first());
}

int runWindowPart(int argc, char* argv[]) {
    void* library = dlopen(kWindowPartLibrary, RTLD_NOW | RTLD_LOCAL);
    const auto partMain =
        library ? reinterpret_cast<WindowPartMain>(dlsym(library, kWindowPartMain)) : nullptr;
    if (!partMain) {
        std::fprintf(stderr,
                     "The program's window and printing part could not be loaded (%s); the "
                     "installation is incomplete.\n",
                     dlerror());
        return ExitFailure;
    }
    return partMain(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    // Before any file is written: an interrupted command leaves no unfinished file behind.
    removeFilesOnInterrupt();
    // Decide before any application object exists: the verbs run without a display, and the
    // window's toolkit takes its own options out of the arguments once it starts.
    if (needsWindowPart(withoutToolkitOptions(commandLineWords(argc, argv)).words))
        return runWindowPart(argc, argv);
    // Verbs, help, and everything else, which is told that it is no command.
    return runHeadless(argc, argv);
}
