#pragma once

// The main block: creates the data module and the windows in their order, runs the message loop,
// and destroys them in reverse order with the archive written last. Returns the exit code.
int runProgram(int argc, char **argv);
