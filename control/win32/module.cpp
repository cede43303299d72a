// The library's entry points for COM: class objects and whether it may be unloaded.
#include "module.h"

#include <algorithm>

#include "class_factory.h"
#include "control_window.h"
#include "guids.h"

namespace {

HINSTANCE instance = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

}  // namespace

HINSTANCE ModuleInstance() { return instance; }

std::wstring ModulePath() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
  return std::wstring(path, length);
}

void ObjectCreated() { InterlockedIncrement(&liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }
void LockModule(bool lock) {
  if (lock) {
    InterlockedIncrement(&serverLocks);
  } else {
    InterlockedDecrement(&serverLocks);
  }
}
bool ModuleInUse() { return liveObjects > 0 || serverLocks > 0; }

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    instance = module;
    DisableThreadLibraryCalls(module);
  } else if (reason == DLL_PROCESS_DETACH) {
    UnregisterControlWindowClass();
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualCLSID(clsid, CLSID_Tonvex)) return ControlFactory().QueryInterface(iid, object);
  if (IsEqualCLSID(clsid, CLSID_TonvexPropPage)) return PageFactory().QueryInterface(iid, object);
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return ModuleInUse() ? S_FALSE : S_OK; }

std::wstring ResourceString(UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return std::wstring(text ? text : L"", length > 0 ? length : 0);
}

LPOLESTR CopyResourceString(UINT id) {
  const std::wstring text = ResourceString(id);
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(wchar_t)));
  if (copy) std::copy(text.c_str(), text.c_str() + text.size() + 1, copy);
  return copy;
}
