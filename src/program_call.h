#pragma once

// What the voxclock executable hands a module that runs a command (voxclock-tools,
// voxclock-program, voxclock-desktop): the command line as given and what the executable made of
// it. Plain C, so the two sides need share no more than this.
extern "C" {

struct VoxProgramCall {
    int argc;
    char** argv;
    // "say", "cwid", "headless", "desktop", "simulate" or "lookup".
    const char* command;
    // --home as given (empty when not).
    const char* home;
    // simulate: its options as given (empty when not).
    const char* from;
    const char* to;
    const char* events;
    const char* workdir;
};

// Each module's one entry point: runs the command, returns the exit status.
using VoxProgramEntry = int (*)(const VoxProgramCall* call);

}  // extern "C"
