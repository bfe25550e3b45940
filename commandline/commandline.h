#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "interfaceport.h"

// The program without a window, for headless computers and scripts: its own options are looked
// for in the raw arguments, before any application object exists, so that Qt's own options such
// as -platform keep working for the window.
namespace commandLine {

bool isWanted(int argc, char *argv[]);
// The exit status: 0 done, 1 the update failed or could not start, 2 wrong usage.
int run(int argc, char *argv[], const interfacePortSource &attachedPorts);

} // namespace commandLine

#endif
