#pragma once

#include "cli/command_line.h"

#include <span>

// The verbs that print or ask the print server, for the command line of the part that can.
std::span<const PrintingVerb> printingVerbs();
