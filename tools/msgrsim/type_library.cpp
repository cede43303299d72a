#include "type_library.h"

#include <windows.h>

#include "com_ptr.h"

namespace msgrsim {

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, length);
}

ITypeLib* TypeLibrary() {
  static ITypeLib* const library = [] {
    ITypeLib* loaded = nullptr;
    LoadTypeLibEx(ProgramPath().c_str(), REGKIND_NONE, &loaded);
    return loaded;
  }();
  return library;
}

HRESULT InterfaceTypeInfo(REFIID iid, ITypeInfo** info) {
  *info = nullptr;
  ITypeLib* library = TypeLibrary();
  if (!library) return TYPE_E_CANTLOADLIBRARY;
  ComPtr<ITypeInfo> dispatch;
  HRESULT result = library->GetTypeInfoOfGuid(iid, dispatch.Put());
  if (FAILED(result)) return result;
  // A dual interface's own entry describes its dispatch side; -1 names its vtable side.
  HREFTYPE vtable = 0;
  result = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable);
  if (FAILED(result)) return result;
  return dispatch->GetRefTypeInfo(vtable, info);
}

DISPID MemberId(REFIID iid, const wchar_t* name) {
  DISPID dispid = DISPID_UNKNOWN;
  ComPtr<ITypeInfo> info;
  ITypeLib* library = TypeLibrary();
  if (library && SUCCEEDED(library->GetTypeInfoOfGuid(iid, info.Put()))) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    info->GetIDsOfNames(names, 1, &dispid);
  }
  return dispid;
}

HRESULT Failure(HRESULT result, REFIID iid, const std::wstring& description) {
  ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"Messenger"));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    ComPtr<IErrorInfo> error = create.As<IErrorInfo>(IID_IErrorInfo);
    SetErrorInfo(0, error.Get());
  }
  return result;
}

HRESULT HandOver(IUnknown* created, REFIID iid, void** object) {
  const HRESULT result = created->QueryInterface(iid, object);
  created->Release();
  return result;
}

}  // namespace msgrsim
