#pragma once

// What the voxclock executable hands a program module (voxclock-program, voxclock-desktop): the
// command line as given and what the executable made of it. Plain C, so the two sides need share
// no more than this.
extern "C" {

struct VoxProgramCall {
    int argc;
    char** argv;
    // "headless", "desktop", "simulate" or "lookup".
    const char* command;
    // headless and desktop: the program folder.
    const char* folder;
    // simulate: the options as given (empty when not).
    const char* home;
    const char* from;
    const char* to;
    const char* events;
    const char* workdir;
};

// Each module's one entry point: runs the command, returns the exit status.
using VoxProgramEntry = int (*)(const VoxProgramCall* call);

}  // extern "C"
