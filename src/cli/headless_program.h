#pragma once

#include "cli/command_line.h"

#include <span>

// The program's name, maker and version, as the toolkit files its settings under them.
void nameApplication();

// Runs the headless command line of argv with the least of the toolkit that its verb needs,
// the verbs that print taken from `printingVerbs`, and returns the exit status.
int runHeadless(int argc, char* argv[], std::span<const PrintingVerb> printingVerbs = {});
