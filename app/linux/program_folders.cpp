#include "program_folders.h"

#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace dorvane::linux_host {

std::string ConfigFolder() {
  const std::string folder = std::string(g_get_user_config_dir()) + "/dorvane";
  g_mkdir_with_parents(folder.c_str(), 0700);
  return folder;
}

std::string ExecutableFolder() {
  std::vector<char> path(4096);
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return ".";
  std::string executable(path.data(), static_cast<size_t>(length));
  return executable.substr(0, executable.find_last_of('/'));
}

std::string DataFolder() {
  const std::string program = ExecutableFolder();
  const std::string installed = program.substr(0, program.find_last_of('/')) + "/share/dorvane";
  struct stat status;
  if (::stat(installed.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) return installed;
  return program;
}

}  // namespace dorvane::linux_host
