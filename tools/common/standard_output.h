// The end of a command-line tool's standard output: whatever it printed must have arrived.
#pragma once

#include <functional>
#include <string>

namespace tools {

// A write to a closed pipe then fails like any other write instead of ending the process
// silently.
void ReportBrokenPipes();

// Flushes and closes standard output. When anything printed did not arrive (a full disk, a
// closed pipe), says so in one line on standard error, "TOOL: cannot write ...", and returns
// `failure`; otherwise returns `status`.
int CloseStandardOutput(const char* tool, int status, int failure);

// The frame of a tool's main: a command-line error (non-empty `optionError`) gives one line with
// a hint and exit status 2; otherwise the usage text or the work's status, with standard output
// closed as above (`outputFailure` when it fails).
int RunTool(const char* tool, const std::string& optionError, bool help, const char* usage,
            int outputFailure, const std::function<int()>& work);

}  // namespace tools
