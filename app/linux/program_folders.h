// Where the program's files live on Linux: the files the user edits in the configuration
// folder, the shipped picture and icon in the install's data folder.
#pragma once

#include <string>

namespace dorvane::linux_host {

// $XDG_CONFIG_HOME/dorvane (~/.config/dorvane without it), created when missing.
std::string ConfigFolder();
// share/dorvane beside the install's bin folder; the program's own folder in a build tree.
std::string DataFolder();
// The running program's folder, without a trailing separator.
std::string ExecutableFolder();

}  // namespace dorvane::linux_host
