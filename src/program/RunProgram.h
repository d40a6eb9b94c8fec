#pragma once

// The whole program as the command line starts it: the options, the application, the class
// folder, the program built from its parts, and the event loop. Returns the exit status.
int RunProgram(int argc, char** argv);
