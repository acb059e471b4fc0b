#pragma once

// The program without a window: parses the arguments, prints the usage for
// --help (0) or after bad arguments (2), else runs the search on a
// QCoreApplication and returns its exit status.
int RunCommandLine(int argc, char** argv);
