// DllRegisterServer and DllUnregisterServer: the type library, the control class with its
// ProgID, and the property page class.
#include <olectl.h>
#include <windows.h>

#include <string>
#include <string_view>

#include "guids.h"
#include "module.h"
#include "resource_ids.h"
#include "tonvex_contract.h"

namespace {

// The ProgID is ASCII: each character widens to itself.
std::wstring ControlProgId() {
  const std::string_view text = tonvex::contract::kProgId;
  return std::wstring(text.begin(), text.end());
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

// Creates HKCR\key and sets one of its values (the default one when name is null).
bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result =
      RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool CreateKey(const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(handle);
  return true;
}

bool DeleteTree(const std::wstring& key) {
  const LONG result = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegisterControlClass(const std::wstring& path) {
  const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_Tonvex);
  const std::wstring typeName = ResourceString(IDS_CONTROL_TYPE_NAME);
  return SetValue(clsid, nullptr, typeName) &&
         SetValue(clsid + L"\\InprocServer32", nullptr, path) &&
         SetValue(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         SetValue(clsid + L"\\ProgID", nullptr, ControlProgId()) &&
         CreateKey(clsid + L"\\Control") && SetValue(clsid + L"\\MiscStatus", nullptr, L"0") &&
         SetValue(clsid + L"\\MiscStatus\\1", nullptr, std::to_wstring(kMiscStatus)) &&
         SetValue(clsid + L"\\TypeLib", nullptr, GuidText(LIBID_TONVEXLib)) &&
         SetValue(clsid + L"\\Version", nullptr, L"1.0") &&
         SetValue(clsid + L"\\ToolboxBitmap32", nullptr,
                  path + L", " + std::to_wstring(IDB_TOOLBOX)) &&
         SetValue(ControlProgId(), nullptr, typeName) &&
         SetValue(ControlProgId() + L"\\CLSID", nullptr, GuidText(CLSID_Tonvex));
}

bool RegisterPageClass(const std::wstring& path) {
  const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_TonvexPropPage);
  return SetValue(clsid, nullptr, ResourceString(IDS_PAGE_TYPE_NAME)) &&
         SetValue(clsid + L"\\InprocServer32", nullptr, path) &&
         SetValue(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
}

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer() {
  const std::wstring path = ModulePath();
  ITypeLib* library = nullptr;
  if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) return SELFREG_E_TYPELIB;
  const HRESULT registered = RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
  library->Release();
  if (FAILED(registered)) return SELFREG_E_TYPELIB;
  if (!RegisterControlClass(path) || !RegisterPageClass(path)) return SELFREG_E_CLASS;
  return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  // The library is registered under its own locale (0x409) and system kind (win32, or win64 in
  // the 64-bit test build); removing it under others would leave it behind.
  LCID lcid = 0x0409;
  SYSKIND syskind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
  ITypeLib* library = nullptr;
  if (SUCCEEDED(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library))) {
    TLIBATTR* attributes = nullptr;
    if (SUCCEEDED(library->GetLibAttr(&attributes))) {
      lcid = attributes->lcid;
      syskind = attributes->syskind;
      library->ReleaseTLibAttr(attributes);
    }
    library->Release();
  }
  const bool typeLibraryRemoved =
      SUCCEEDED(UnRegisterTypeLib(LIBID_TONVEXLib, 1, 0, lcid, syskind));
  // The classes go even when the library was not registered, so that a half-registered control
  // can be cleaned up; the result still says what failed first.
  const bool classesRemoved = DeleteTree(L"CLSID\\" + GuidText(CLSID_Tonvex)) &&
                              DeleteTree(ControlProgId()) &&
                              DeleteTree(L"CLSID\\" + GuidText(CLSID_TonvexPropPage));
  if (!typeLibraryRemoved) return SELFREG_E_TYPELIB;
  return classesRemoved ? S_OK : SELFREG_E_CLASS;
}
