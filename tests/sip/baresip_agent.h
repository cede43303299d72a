// A real baresip for tests: its own configuration folder on loopback ports, started as a child
// process and stopped by its recorded process id.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace sip_test {

struct AgentSetup {
  std::string folder;
  std::string user;  // the account is sip:USER@127.0.0.1:SIPPORT, without registration
  int sipPort = 0;
  int ctrlPort = 0;
  std::vector<std::pair<std::string, std::string>> contacts;  // display name, URI
};

bool BaresipInstalled();

class BaresipAgent {
 public:
  explicit BaresipAgent(const AgentSetup& setup);
  ~BaresipAgent() { Stop(); }
  BaresipAgent(const BaresipAgent&) = delete;
  BaresipAgent& operator=(const BaresipAgent&) = delete;

  void Stop();

 private:
  pid_t pid_ = -1;
};

// A fresh folder under the temporary directory, removed with its files at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace sip_test
