#include "runtime_error.h"

namespace dorvane::failure {

RuntimeError InvalidProcedureCall() { return {5, "Invalid procedure call or argument"}; }
RuntimeError Overflow() { return {6, "Overflow"}; }
RuntimeError TypeMismatch() { return {13, "Type mismatch"}; }
RuntimeError FileNotFound() { return {kFileNotFound, "File not found"}; }
RuntimeError FileAlreadyExists() { return {58, "File already exists"}; }
RuntimeError DiskFull() { return {61, "Disk full"}; }
RuntimeError InputPastEndOfFile() { return {62, "Input past end of file"}; }
RuntimeError PermissionDenied() { return {70, "Permission denied"}; }
RuntimeError PathFileAccessError() { return {75, "Path/File access error"}; }
RuntimeError ObjectNotSet() { return {91, "Object variable or With block variable not set"}; }
RuntimeError InvalidPropertyValue() { return {380, "Invalid property value"}; }
RuntimeError InvalidPicture() { return {kInvalidPicture, "Invalid picture"}; }
RuntimeError InvalidPortNumber() { return {8002, "Invalid port number"}; }
RuntimeError PortAlreadyOpen() { return {8005, "Port already open"}; }
RuntimeError PortNotOpen() { return {8018, "Operation valid only when the port is open"}; }

}  // namespace dorvane::failure
