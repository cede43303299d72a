// msgrsim under the messenger's class identity, for the current user only
// (HKCU\Software\Classes): the class with msgrsim as its local server, the type library, and
// the interfaces with the automation marshaller, so that clients in other processes reach it.
#pragma once

#include <windows.h>

#include <string>

namespace msgrsim {

// Both return what went wrong, or an empty text.
std::wstring RegisterServer();
std::wstring UnregisterServer();

}  // namespace msgrsim
