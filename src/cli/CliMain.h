#pragma once

// The program without a window: parses the arguments, prints the usage for
// --help (0), after bad arguments or with none at all (no display for the
// window) (2), else runs the search on a QCoreApplication and returns its
// exit status (ExitStatus.h).
int RunCommandLine(int argc, char** argv);

// The environment names a display the window can be shown on (or a Qt
// platform such as offscreen).
bool DisplayNamed();
