#pragma once

#include <QStringList>

class QTextStream;
struct CommandArguments;

// The options and switches of render that draw the page for a tablet's screen.
QStringList deviceRenderOptionNames();
QStringList deviceRenderSwitchNames();

// Whether render's arguments ask for a tablet's page, or give an option that only such a page
// takes.
bool asksForDevicePage(const CommandArguments& args);

// render with --device: lists the devices, or draws the design for one and writes its page or
// its template bundle. Returns the exit status.
int runDeviceRender(const CommandArguments& args, QTextStream& out, QTextStream& err);
