#pragma once

// The program's commands that need no window: the help, the demonstration
// folder and the pay run. main() hands them over before any window exists.
namespace CommandLine {

// True when the first word asks for one of these commands: "payslip",
// "demo", "report", "--help", "-h" or "--version"; also when the words are
// refused as a start with windows (an unknown option, two folders), so that
// the refusal is said without any window.
bool handles(int argc, char *argv[]);

// Runs the command in an application without windows; the exit code.
int run(int argc, char *argv[]);

} // namespace CommandLine
