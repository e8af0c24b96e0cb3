#include "app/window_part.h"
#include "base/interrupted_files.h"
#include "base/system_file_names.h"
#include "cli/commands.h"
#include "cli/headless_program.h"

#include <cstdio>
#include <filesystem>

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

// The library lies in lib/lineavo-pressolo beside the folder of the installed program, and in
// that folder itself in the build. It is looked for there rather than on the program's run
// path, which the sanitizers' loader does not search.
void* openWindowPart() {
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    for (const char* folder : {"../lib/lineavo-pressolo/", "lib/lineavo-pressolo/"}) {
        const std::filesystem::path library = program.parent_path() / folder / kWindowPartLibrary;
        if (void* opened = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL))
            return opened;
    }
    return nullptr;
}

int runWindowPart(int argc, char* argv[]) {
    void* library = openWindowPart();
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
