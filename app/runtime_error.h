// Failures as the program's handlers trap them: a number and a description, the same on every
// platform, thrown by the ports and by the core's own checks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace dorvane {

class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int32_t number, const std::string& description)
      : std::runtime_error(description), Number(number), Description(description) {}

  int32_t Number;
  std::string Description;
};

// Thrown when the program ends: it unwinds every handler, nested ones included, up to the
// runtime, and no handler's failure trap catches it.
struct ProgramEnded {};

namespace failure {
RuntimeError InvalidProcedureCall();  // 5
RuntimeError Overflow();              // 6
RuntimeError TypeMismatch();          // 13
RuntimeError FileNotFound();          // 53
RuntimeError FileAlreadyExists();     // 58
RuntimeError DiskFull();              // 61
RuntimeError InputPastEndOfFile();    // 62
RuntimeError PermissionDenied();      // 70
RuntimeError PathFileAccessError();   // 75
RuntimeError ObjectNotSet();          // 91
RuntimeError InvalidPropertyValue();  // 380
RuntimeError InvalidPicture();        // 481
RuntimeError InvalidPortNumber();     // 8002
RuntimeError PortAlreadyOpen();       // 8005
RuntimeError PortNotOpen();           // 8018
}  // namespace failure

constexpr int32_t kFileNotFound = 53;
constexpr int32_t kInvalidPicture = 481;

}  // namespace dorvane
