#include "registration.h"

#include <oaidl.h>

#include <vector>

#include "com_ptr.h"
#include "msgrsim_h.h"
#include "type_library.h"

namespace msgrsim {
namespace {

// The marshallers of oleaut32: the type library's for dual interfaces, IDispatch's for
// dispinterfaces.
constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";
constexpr wchar_t kDispatchMarshaller[] = L"{00020420-0000-0000-C000-000000000046}";

std::wstring Text(REFGUID guid) {
  wchar_t text[40];
  StringFromGUID2(guid, text, 40);
  return text;
}

// Wine's COM reads class registrations from the machine's classes only, so there the same
// keys go there too, where the prefix's own test or demo finds them.
std::vector<HKEY> ClassRoots() {
  std::vector<HKEY> roots;
  HKEY user = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &user, nullptr) == ERROR_SUCCESS) {
    roots.push_back(user);
  }
  const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  HKEY machine = nullptr;
  if (wine && RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &machine, nullptr) == ERROR_SUCCESS) {
    roots.push_back(machine);
  }
  return roots;
}

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status =
      RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
  return status == ERROR_SUCCESS;
}

struct Entry {
  std::wstring key;
  const wchar_t* name;  // null for the key's default value
  std::wstring value;
};

// Every value msgrsim registers, and below them the trees that unregistering removes.
bool Describe(std::vector<Entry>& entries, std::vector<std::wstring>& trees) {
  ITypeLib* library = TypeLibrary();
  if (!library) return false;
  TLIBATTR* attributes = nullptr;
  if (FAILED(library->GetLibAttr(&attributes))) return false;
  const std::wstring libid = Text(attributes->guid);
  const std::wstring platform = attributes->syskind == SYS_WIN64 ? L"win64" : L"win32";
  library->ReleaseTLibAttr(attributes);

  const std::wstring path = ProgramPath();
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
  const std::wstring server = L"CLSID\\" + Text(CLSID_Messenger);
  entries = {{server, nullptr, L"Messenger (msgrsim)"},
             {server + L"\\LocalServer32", nullptr, L"\"" + path + L"\""},
             {server + L"\\TypeLib", nullptr, libid},
             {server + L"\\Version", nullptr, L"1.0"},
             {L"TypeLib\\" + libid + L"\\1.0", nullptr, L"Messenger API Type Library (msgrsim)"},
             {L"TypeLib\\" + libid + L"\\1.0\\0\\" + platform, nullptr, path},
             {L"TypeLib\\" + libid + L"\\1.0\\FLAGS", nullptr, L"0"},
             {L"TypeLib\\" + libid + L"\\1.0\\HELPDIR", nullptr, folder}};
  trees = {server, L"TypeLib\\" + libid};

  for (UINT index = 0; index < library->GetTypeInfoCount(); ++index) {
    ComPtr<ITypeInfo> info;
    TYPEATTR* type = nullptr;
    if (FAILED(library->GetTypeInfo(index, info.Put())) || FAILED(info->GetTypeAttr(&type))) {
      return false;
    }
    const TYPEKIND kind = type->typekind;
    const bool dual = (type->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    const std::wstring key = L"Interface\\" + Text(type->guid);
    info->ReleaseTypeAttr(type);
    if (kind != TKIND_DISPATCH && kind != TKIND_INTERFACE) continue;
    BSTR name = nullptr;
    library->GetDocumentation(static_cast<INT>(index), &name, nullptr, nullptr, nullptr);
    const wchar_t* marshaller =
        kind == TKIND_DISPATCH && !dual ? kDispatchMarshaller : kAutomationMarshaller;
    entries.push_back({key, nullptr, name ? name : L""});
    entries.push_back({key + L"\\ProxyStubClsid32", nullptr, marshaller});
    entries.push_back({key + L"\\ProxyStubClsid", nullptr, marshaller});
    entries.push_back({key + L"\\TypeLib", nullptr, libid});
    entries.push_back({key + L"\\TypeLib", L"Version", L"1.0"});
    SysFreeString(name);
    trees.push_back(key);
  }
  return true;
}

}  // namespace

std::wstring RegisterServer() {
  std::vector<Entry> entries;
  std::vector<std::wstring> trees;
  if (!Describe(entries, trees)) return L"the type library in the program cannot be read";
  std::wstring failed;
  for (const HKEY root : ClassRoots()) {
    for (const Entry& entry : entries) {
      if (!SetValue(root, entry.key, entry.name, entry.value)) failed = entry.key;
    }
    RegCloseKey(root);
  }
  return failed.empty() ? L"" : L"cannot write the registry key " + failed;
}

std::wstring UnregisterServer() {
  std::vector<Entry> entries;
  std::vector<std::wstring> trees;
  if (!Describe(entries, trees)) return L"the type library in the program cannot be read";
  std::wstring failed;
  for (const HKEY root : ClassRoots()) {
    for (const std::wstring& tree : trees) {
      const LSTATUS status = RegDeleteTreeW(root, tree.c_str());
      if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) failed = tree;
    }
    RegCloseKey(root);
  }
  return failed.empty() ? L"" : L"cannot remove the registry key " + failed;
}

}  // namespace msgrsim
