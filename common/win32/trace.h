// A diagnostic channel, off unless the environment variable TONVEX_TRACE names a file: one
// line for every call declined, a member not implemented or an interface not offered, so that
// a host that misbehaves with the control can be understood.
#pragma once

#include <windows.h>

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Traces the member and answers E_NOTIMPL.
HRESULT NotImplemented(const char* member);
// Traces the interface asked of the object and answers E_NOINTERFACE.
HRESULT NoInterface(const char* object, REFIID iid);
