#pragma once

// The program's commands that need no window: the help, the demonstration
// folder and the pay run. main() hands them over before any window exists.
namespace CommandLine {

// True when the first word asks for one of these commands: "payslip",
// "demo", "--help" or "-h".
bool handles(int argc, char *argv[]);

// Runs the command in an application without windows; the exit code.
int run(int argc, char *argv[]);

} // namespace CommandLine
