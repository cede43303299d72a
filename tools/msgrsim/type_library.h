// msgrsim's type library, embedded as resource 1 of the program: the names, DISPIDs and types
// of every member, so that IDispatch needs no table of its own.
#pragma once

#include <oaidl.h>

#include <string>

namespace msgrsim {

std::wstring ProgramPath();
// Loaded once; null when the resource cannot be read.
ITypeLib* TypeLibrary();
// The vtable half of the dual interface `iid`, as ITypeInfo::Invoke needs it.
HRESULT InterfaceTypeInfo(REFIID iid, ITypeInfo** info);
// The DISPID of a member of the interface `iid`; DISPID_UNKNOWN when there is none.
DISPID MemberId(REFIID iid, const wchar_t* name);
// Leaves `description` for the caller's EXCEPINFO and returns `result`.
HRESULT Failure(HRESULT result, REFIID iid, const std::wstring& description);

}  // namespace msgrsim
