#include "standard_output.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace tools {

void ReportBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

int CloseStandardOutput(const char* tool, int status, int failure) {
  // Only a failure of the flush or close itself leaves a reason in errno; one that happened
  // while printing is long overwritten.
  errno = 0;
  std::cout.flush();
  bool written = !std::cout.fail() && std::fflush(stdout) == 0 && !std::ferror(stdout);
  int error = errno;
  errno = 0;
  if (std::fclose(stdout) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written) return status;
  std::fprintf(stderr, "%s: cannot write to standard output: %s\n", tool,
               error != 0 ? std::strerror(error) : "an earlier write failed");
  return failure;
}

int RunTool(const char* tool, const std::string& optionError, bool help, const char* usage,
            int outputFailure, const std::function<int()>& work) {
  if (!optionError.empty()) {
    std::fprintf(stderr, "%s: %s (try --help)\n", tool, optionError.c_str());
    return 2;
  }
  ReportBrokenPipes();
  int status = 0;
  if (help) {
    std::fputs(usage, stdout);
  } else {
    status = work();
  }
  return CloseStandardOutput(tool, status, outputFailure);
}

}  // namespace tools
