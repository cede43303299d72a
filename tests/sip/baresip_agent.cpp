#include "baresip_agent.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace sip_test {
namespace {

// Two seconds of 8 kHz 16-bit silence: what the agent sends as its voice.
void WriteSilence(const std::string& path) {
  const uint32_t samples = 16000;
  const uint32_t dataBytes = samples * 2;
  std::ofstream file(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { file.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { file.write(reinterpret_cast<const char*>(&v), 2); };
  file.write("RIFF", 4);
  u32(36 + dataBytes);
  file.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(8000);
  u32(16000);
  u16(2);
  u16(16);
  file.write("data", 4);
  u32(dataBytes);
  file << std::string(dataBytes, '\0');
}

}  // namespace

bool BaresipInstalled() { return system("command -v baresip >/dev/null 2>&1") == 0; }

BaresipAgent::BaresipAgent(const AgentSetup& setup) {
  std::filesystem::create_directories(setup.folder);
  const std::string heard = setup.folder + "/heard.wav";
  const std::string voice = setup.folder + "/voice.wav";
  WriteSilence(voice);
  std::ofstream(setup.folder + "/config")
      << "poll_method epoll\n"
      << "sip_listen 127.0.0.1:" << setup.sipPort << "\n"
      << "call_max_calls 1\n"
      << "audio_player aufile," << heard << "\naudio_alert aufile," << heard << "\n"
      << "audio_source aufile," << voice << "\n"
      << "module_path /usr/lib/baresip/modules\n"
      << "module g711.so\nmodule aufile.so\nmodule_tmp account.so\n"
      << "module_app contact.so\nmodule_app menu.so\nmodule_app ctrl_tcp.so\n"
      << "ctrl_tcp_listen 127.0.0.1:" << setup.ctrlPort << "\n";
  std::ofstream(setup.folder + "/accounts")
      << "<sip:" << setup.user << "@127.0.0.1:" << setup.sipPort << ">;regint=0\n";
  std::ofstream contacts(setup.folder + "/contacts");
  for (const auto& contact : setup.contacts) {
    contacts << '"' << contact.first << "\" <" << contact.second << ">\n";
  }
  contacts.close();

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("cannot start baresip");
  if (pid_ == 0) {
    const int quiet = open("/dev/null", O_RDWR);
    dup2(quiet, 0);
    dup2(quiet, 1);
    dup2(quiet, 2);
    execlp("baresip", "baresip", "-f", setup.folder.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
}

void BaresipAgent::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

TempFolder::TempFolder() {
  char pattern[] = "/tmp/dorvane-sip-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("no temporary folder");
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace sip_test
