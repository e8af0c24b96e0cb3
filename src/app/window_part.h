#pragma once

#include <QtGlobal>

// The program comes in two parts, so that the verbs that only draw or read files start
// without the libraries of windows and printers. The command itself holds those verbs; the
// window, its dialogs and everything that prints are in a library that it loads only when
// they are asked for, and which holds everything it needs of the rest, so that nothing of
// either part's state is shared.

// What the library runs in place of the command's own main(), given the same arguments:
// the window, or a verb that prints or asks the print server.
extern "C" Q_DECL_EXPORT int lineavoWindowPartMain(int argc, char* argv[]);
using WindowPartMain = int (*)(int argc, char* argv[]);
inline constexpr char kWindowPartMain[] = "lineavoWindowPartMain";
inline constexpr char kWindowPartLibrary[] = "liblineavo-pressolo-window.so";
