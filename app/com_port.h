// The serial port setting: decimal text in ComPort, "COM" + that text in the dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dorvane {

// ComPort as a 16-bit integer for the serial control, which judges it as a port: blanks around
// it, an optional sign, decimal digits with an optional fraction and exponent ("1.5e1"),
// rounded half to even. 6 "Overflow" outside -32768 to 32767, 13 "Type mismatch" for any other
// text.
int16_t ComPortNumber(const std::string& comPort);
// The dialog's list: COM1 to COM6, and "COM" + comPort after them when it is not among them.
std::vector<std::string> ComEntries(const std::string& comPort);
// ComPort from the dialog's choice: the text after "COM".
std::string ComPortFromChoice(const std::string& choice);

}  // namespace dorvane
