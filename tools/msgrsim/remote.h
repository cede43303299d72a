// How a second msgrsim hands its command to the running one: WM_COPYDATA to the main window
// carrying the caller's folder and the words of the command, answered by a WM_COPYDATA to the
// caller's own window with the result, before SendMessage returns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"

namespace msgrsim {

constexpr wchar_t kMainWindowClass[] = L"MsgrsimMain";

// In the second process: sends the command and prints the answer. Returns the exit code: 0 when
// the command was done, 1 otherwise (the reason on stderr).
int Forward(const std::vector<std::wstring>& args);

// In the running one: the folder and the command carried by a request; false when `data` is
// not one.
bool ReadRequest(const COPYDATASTRUCT& data, std::wstring& folder, std::vector<std::wstring>& args);
void SendAnswer(HWND caller, HWND from, const CommandResult& result);

}  // namespace msgrsim
