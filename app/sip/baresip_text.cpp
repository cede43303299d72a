#include "baresip_text.h"

namespace dorvane::sip {
namespace {

const char kWhitespace[] = " \t";

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(kWhitespace);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kWhitespace) - first + 1);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The entries of a printed list: the lines after its "--- Title ---" heading, without the
// "> " that marks the current one.
std::vector<std::string> ListEntries(const std::string& text) {
  std::vector<std::string> entries;
  for (const std::string& raw : Lines(text)) {
    std::string line = Trimmed(Sanitized(raw));
    if (line.empty() || line.rfind("---", 0) == 0) continue;
    if (line[0] == '>') line = Trimmed(line.substr(1));
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

bool IsUri(const std::string& text) {
  return text.rfind("sip:", 0) == 0 || text.rfind("sips:", 0) == 0;
}

}  // namespace

std::string Sanitized(const std::string& text) {
  std::string clean;
  clean.reserve(text.size());
  for (size_t at = 0; at < text.size(); ++at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c == 0x1B && at + 1 < text.size() && text[at + 1] == '[') {
      at += 2;
      while (at < text.size() && !(text[at] >= 0x40 && text[at] <= 0x7E)) ++at;
      continue;
    }
    if (c < 0x20 || c == 0x7F) continue;
    clean += static_cast<char>(c);
  }
  return clean;
}

std::vector<SipContact> ParseContacts(const std::string& contactsText) {
  std::vector<SipContact> contacts;
  for (const std::string& entry : ListEntries(contactsText)) {
    SipContact contact;
    const size_t open = entry.rfind('<');
    if (open != std::string::npos && entry.back() == '>') {
      contact.address = entry.substr(open + 1, entry.size() - open - 2);
      contact.displayName = Trimmed(entry.substr(0, open));
      if (contact.displayName.size() >= 2 && contact.displayName.front() == '"' &&
          contact.displayName.back() == '"') {
        contact.displayName = contact.displayName.substr(1, contact.displayName.size() - 2);
      }
    } else {
      contact.address = entry;
    }
    if (IsUri(contact.address)) contacts.push_back(contact);
  }
  return contacts;
}

bool HasUsableAgent(const std::string& reginfoText) {
  for (const std::string& entry : ListEntries(reginfoText)) {
    if (!IsUri(entry)) continue;
    const size_t end = entry.find_first_of(kWhitespace);
    const std::string states = end == std::string::npos ? "" : Trimmed(entry.substr(end));
    // No state: an account without registration; "OK": at least one registration holds.
    if (states.empty() || states.find("OK") != std::string::npos) return true;
  }
  return false;
}

std::string BareUri(const std::string& uri) {
  std::string bare = Trimmed(uri);
  if (!bare.empty() && bare.front() == '<') bare.erase(0, 1);
  const size_t end = bare.find_first_of(";>?");
  return end == std::string::npos ? bare : bare.substr(0, end);
}

}  // namespace dorvane::sip
