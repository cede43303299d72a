// The serial port setting: decimal text in ComPort, "COM" + that text in the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dorvane {

// The port number for the serial control: 13 "Type mismatch" when the text is not a whole
// number, 380 "Invalid property value" outside 1 to 32767.
int16_t ComPortNumber(const std::string& comPort);
// The dialog's list: COM1 to COM6, and "COM" + comPort after them when it is not among them.
std::vector<std::string> ComEntries(const std::string& comPort);
// ComPort from the dialog's choice: the text after "COM".
std::string ComPortFromChoice(const std::string& choice);

}  // namespace dorvane
