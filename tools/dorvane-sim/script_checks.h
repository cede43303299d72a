// Checks of script arguments that need nothing but the text; each throws LineError.
#pragma once

#include <string>

namespace scenario {

// What the tone detector can report: 0-9 A-D * # P, at least one.
void CheckKeySymbols(const std::string& symbols);

// What has a tone image: 0-9 A-D * #. Empty is allowed: it silences the line.
void CheckDialSymbols(const std::string& symbols);

// A plain name inside the program's folder.
void CheckFolderFileName(const std::string& name);

// A POSIX extended regular expression that compiles.
void CheckRegex(const std::string& pattern);

}  // namespace scenario
