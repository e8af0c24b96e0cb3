#include "cli/printing/command_line.h"

#include "cli/printing/calibrate_command.h"
#include "cli/printing/print_commands.h"

namespace {

constexpr PrintingVerb kPrintingVerbs[] = {
    {"print", runPrintCommand},
    {"print-test", runPrintTestCommand},
    {"calibrate", runCalibrateCommand},
    {"print-picture", runPrintPictureCommand},
};

} // namespace

std::span<const PrintingVerb> printingVerbs() {
    return kPrintingVerbs;
}
