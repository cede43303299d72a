// The end of a command-line tool's standard output: whatever it printed must have arrived.
#pragma once

namespace tools {

// A write to a closed pipe then fails like any other write instead of ending the process
// silently.
void ReportBrokenPipes();

// Flushes and closes standard output. When anything printed did not arrive (a full disk, a
// closed pipe), says so in one line on standard error, "TOOL: cannot write ...", and returns
// `failure`; otherwise returns `status`.
int CloseStandardOutput(const char* tool, int status, int failure);

}  // namespace tools
