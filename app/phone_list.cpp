#include "backup.h"
#include "dorvane_frm.h"
#include "object_ref.h"
#include "runtime_error.h"
#include "text_lines.h"

namespace dorvane {
namespace {

constexpr size_t kCodeLength = 3;

// Cut or padded with blanks to exactly three characters (UTF-8 sequences kept whole).
std::string FixedCode(const std::string& text) {
  std::string code;
  size_t characters = 0;
  for (size_t i = 0; i < text.size() && characters < kCodeLength; ++characters) {
    size_t length = 1;
    while (i + length < text.size() && (static_cast<uint8_t>(text[i + length]) & 0xC0) == 0x80) {
      ++length;
    }
    code += text.substr(i, length);
    i += length;
  }
  return code + std::string(kCodeLength - characters, ' ');
}

// A friendly name stays on its own line: line breaks and other control characters become blanks.
std::string OnOneLine(std::string name) {
  for (char& c : name) {
    if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return name;
}

// A sign-in name that would end its field or its line cannot be listed.
bool FitsItsField(const std::string& signinName) {
  return signinName.find_first_of("\r\n,") == std::string::npos;
}

std::string CodeOfLine(int number) {
  const std::string digits = "000" + std::to_string(number);
  return digits.substr(digits.size() - kCodeLength);
}

}  // namespace

void Dorvane_frm::WritePhoneList(Messenger& messenger) {
  state_.PhoneCount = 0;
  std::string text;
  try {
    const int32_t last = Use(messenger.MyContacts()).Count() - 1;
    int lines = 0;
    for (int32_t i = 0; i <= last; ++i) {
      const std::string signinName = Use(messenger.MyContacts()->Item(i)).SigninName();
      const std::string friendlyName = Use(messenger.MyContacts()->Item(i)).FriendlyName();
      if (!FitsItsField(signinName)) continue;
      text += CodeOfLine(++lines) + "," + signinName + "," + OnOneLine(friendlyName) + "\r\n";
    }
  } catch (const RuntimeError&) {
    return;
  }
  const std::string path = ProgramFile("PhoneLst.txt");
  const std::string bytes = files_.ToAnsi(text);
  try {
    // A list the user may have edited is kept before it is replaced; without a backup it stays.
    KeepBackup(files_, path, &bytes);
    files_.ReplaceFile(path, bytes);
  } catch (const RuntimeError& failure) {
    ShowError(failure.Description, failure.Number, false);
  }
  LoadPhoneList();
}

void Dorvane_frm::LoadPhoneList() {
  MenuItem& friends = FriendMenu(mnuMain_);
  try {
    const std::vector<std::string> lines =
        SplitLines(files_.FromAnsi(files_.ReadAll(ProgramFile("PhoneLst.txt"))));
    for (const std::string& line : lines) {
      if (state_.PhoneCount == kPhoneTableSize) break;
      const size_t firstComma = line.find(',');
      if (firstComma == std::string::npos) break;
      PhoneEntry& entry = state_.PhoneTable[state_.PhoneCount];
      entry.Code = FixedCode(line.substr(0, firstComma));
      const size_t secondComma = line.find(',', firstComma + 1);
      if (secondComma == std::string::npos) break;
      entry.SigninName = line.substr(firstComma + 1, secondComma - firstComma - 1);
      entry.FriendlyName = line.substr(secondComma + 1);
      ++state_.PhoneCount;
      friends.Items.push_back(
          {"mnuFriend", state_.PhoneCount, entry.Code + " " + entry.FriendlyName, true, {}});
    }
  } catch (const RuntimeError&) {
    // The entries loaded so far stay.
  }
  if (state_.PhoneCount > 0) friends.Items[0].Visible = false;
}

}  // namespace dorvane
