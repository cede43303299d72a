#include "commands.h"

#include <shellapi.h>

#include <stdexcept>

#include "text.h"

namespace msgrsim {
namespace {

// A command that cannot be done; its text goes back to whoever gave it.
struct Refused {
  std::wstring why;
};

std::wstring Joined(const std::vector<std::wstring>& args, size_t from) {
  std::wstring text;
  for (size_t i = from; i < args.size(); ++i) text += (i > from ? L" " : L"") + args[i];
  return text;
}

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
  const bool absolute = name.size() > 1 && (name[1] == L':' || name[0] == L'\\' || name[0] == L'/');
  return absolute || folder.empty() ? name : folder + L"\\" + name;
}

// A UTF-8 text file as lines, without their line ends.
std::vector<std::wstring> ReadLines(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Refused{L"cannot read " + path};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  CloseHandle(file);
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  const std::wstring text = Utf8ToWide(bytes);
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool IsBlankOrComment(const std::wstring& line) {
  const size_t first = line.find_first_not_of(L" \t");
  return first == std::wstring::npos || line[first] == L'#';
}

// "signin-name friendly name": the first word, then the rest of the line.
std::vector<Contact> ReadContacts(const std::wstring& path) {
  std::vector<Contact> contacts;
  for (const std::wstring& line : ReadLines(path)) {
    if (IsBlankOrComment(line)) continue;
    const size_t start = line.find_first_not_of(L" \t");
    const size_t end = line.find_first_of(L" \t", start);
    Contact contact;
    contact.signinName = line.substr(start, end - start);
    const size_t name = end == std::wstring::npos ? end : line.find_first_not_of(L" \t", end);
    contact.friendlyName = name == std::wstring::npos ? contact.signinName : line.substr(name);
    contacts.push_back(contact);
  }
  return contacts;
}

void Need(const std::vector<std::wstring>& args, size_t count, const wchar_t* usage) {
  if (args.size() < count) throw Refused{std::wstring(L"usage: ") + usage};
}

LONG StatusOf(const std::wstring& word) {
  if (word == L"online") return kStatusOnline;
  if (word == L"offline") return kStatusOffline;
  try {
    size_t used = 0;
    const long status = std::stol(word, &used);
    if (used == word.size()) return status;
  } catch (const std::exception&) {
  }
  throw Refused{L"not a status: " + word};
}

const Contact& ContactOf(MessengerState& state, const std::wstring& signinName) {
  const Contact* contact = state.FindContact(signinName);
  if (!contact) throw Refused{L"no contact " + signinName};
  return *contact;
}

Conversation& ConversationOf(MessengerState& state, const std::wstring& word) {
  Conversation* conversation = nullptr;
  if (word == L"last") {
    conversation = state.Find(0);
  } else if (!word.empty() && word.find_first_not_of(L"0123456789") == std::wstring::npos) {
    conversation = state.Find(std::stoi(word));
  }
  if (!conversation) throw Refused{L"no window " + word};
  return *conversation;
}

std::wstring Run(MessengerState& state, const std::vector<std::wstring>& args,
                 const std::wstring& folder);

std::wstring RunScript(MessengerState& state, const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  const std::wstring scriptFolder = slash == std::wstring::npos ? L"" : path.substr(0, slash);
  std::wstring answers;
  int number = 0;
  for (const std::wstring& line : ReadLines(path)) {
    ++number;
    if (IsBlankOrComment(line)) continue;
    try {
      const std::wstring answer = Run(state, SplitCommandLine(line), scriptFolder);
      if (!answer.empty()) answers += answer + L"\r\n";
    } catch (const Refused& refused) {
      throw Refused{path + L" line " + std::to_wstring(number) + L": " + refused.why};
    }
  }
  if (!answers.empty()) answers.resize(answers.size() - 2);
  return answers;
}

std::wstring Run(MessengerState& state, const std::vector<std::wstring>& args,
                 const std::wstring& folder) {
  if (args.empty()) throw Refused{L"no command"};
  state.Log().Line("command " + Utf8(Joined(args, 0)));
  const std::wstring& command = args[0];
  if (state.owner && command != L"quit" && command != L"history") {
    throw Refused{L"msgrsim runs on baresip's calls and contacts: " + command +
                  L" is for the scripted messenger only"};
  }
  if (command == L"status") {
    Need(args, 2, L"status online|offline|NUMBER");
    state.SetStatus(StatusOf(args[1]));
    return L"";
  }
  if (command == L"contacts") {
    Need(args, 2, L"contacts FILE");
    state.SetContacts(ReadContacts(InFolder(folder, args[1])));
    return std::to_wstring(state.Contacts().size());
  }
  if (command == L"invite") {
    Need(args, 2, L"invite SIGNIN");
    const Contact& contact = ContactOf(state, args[1]);
    return std::to_wstring(state.Open(contact, MessengerState::Kind::VoiceInvitation).number);
  }
  if (command == L"chat") {
    Need(args, 3, L"chat SIGNIN TEXT...");
    const Contact& contact = ContactOf(state, args[1]);
    return std::to_wstring(state.Open(contact, MessengerState::Kind::Text, Joined(args, 2)).number);
  }
  if (command == L"append") {
    Need(args, 3, L"append WINDOW TEXT...");
    state.Append(ConversationOf(state, args[1]), Joined(args, 2));
    return L"";
  }
  if (command == L"close") {
    Need(args, 2, L"close WINDOW");
    state.Close(ConversationOf(state, args[1]), "the other side");
    return L"";
  }
  if (command == L"history") {
    Need(args, 2, L"history WINDOW");
    return ConversationOf(state, args[1]).text;
  }
  if (command == L"script") {
    Need(args, 2, L"script FILE");
    return RunScript(state, InFolder(folder, args[1]));
  }
  if (command == L"quit") {
    PostQuitMessage(0);
    return L"";
  }
  throw Refused{L"unknown command: " + command};
}

}  // namespace

CommandResult RunCommand(MessengerState& state, const std::vector<std::wstring>& args,
                         const std::wstring& folder) {
  try {
    return {true, Run(state, args, folder)};
  } catch (const Refused& refused) {
    state.Log().Line("command refused: " + Utf8(refused.why));
    return {false, refused.why};
  } catch (const std::exception&) {
    state.Log().Line("command refused: a bad argument");
    return {false, L"a bad argument: " + Joined(args, 0)};
  }
}

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
  std::vector<std::wstring> words;
  // CommandLineToArgvW reads its first word as a program name: give it one to drop.
  const std::wstring withProgram = L"msgrsim " + line;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(withProgram.c_str(), &count);
  if (!argv) return words;
  for (int i = 1; i < count; ++i) words.emplace_back(argv[i]);
  LocalFree(argv);
  return words;
}

}  // namespace msgrsim
