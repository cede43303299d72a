// Reads TONVEX.OCX (beside this test program) as containers and the control's own code read it:
// the type library through OLE Automation, the other resources through the resource functions.
#include <gtest/gtest.h>
#include <olectl.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "pictures.h"
#include "resource_ids.h"
#include "tone_images.h"
#include "tonvex_h.h"

namespace {

const WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::wstring ModulePath() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring path(exe);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"TONVEX.OCX";
}

template <class T>
class Ref {
 public:
  Ref() = default;
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  ~Ref() {
    if (p_) p_->Release();
  }
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(s_); }
  BSTR* Out() { return &s_; }
  std::wstring Str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

 private:
  BSTR s_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Type library

class TypeLibraryResource : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, lib_.Out()), S_OK);
  }

  // The type with `guid`, its TYPEATTR checked out into `attr` for the caller's copy.
  void Describe(REFGUID guid, Ref<ITypeInfo>& info, TYPEATTR& attr) {
    ASSERT_EQ(lib_->GetTypeInfoOfGuid(guid, info.Out()), S_OK);
    TYPEATTR* held = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&held), S_OK);
    attr = *held;
    info->ReleaseTypeAttr(held);
  }

  Ref<ITypeLib> lib_;
};

TEST_F(TypeLibraryResource, LibraryDocumentationAndContents) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib_->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
  // The loader adds LIBFLAG_FHASDISKIMAGE.
  EXPECT_EQ(attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE, LIBFLAG_FCONTROL);
  lib_->ReleaseTLibAttr(attr);

  Bstr name, doc, helpFile;
  DWORD context = 99;
  ASSERT_EQ(lib_->GetDocumentation(-1, name.Out(), doc.Out(), &context, helpFile.Out()), S_OK);
  EXPECT_EQ(name.Str(), L"TONVEXLib");
  EXPECT_EQ(doc.Str(), L"Tonvex ActiveX Control module");
  EXPECT_EQ(context, 0u);
  const std::wstring file = helpFile.Str();
  ASSERT_GE(file.size(), 10u);
  EXPECT_EQ(file.substr(file.size() - 10), L"Tonvex.hlp");

  // The property page class is known to the module, not to the library.
  EXPECT_EQ(lib_->GetTypeInfoCount(), 3u);
  Ref<ITypeInfo> page;
  EXPECT_NE(lib_->GetTypeInfoOfGuid(CLSID_TonvexPropPage, page.Out()), S_OK);
}

struct TypeExpectation {
  GUID Guid;
  TYPEKIND Kind;
  WORD Flags;
  const wchar_t* HelpString;
};

TEST_F(TypeLibraryResource, TypesCarryTheirFlagsAndHelpStrings) {
  const TypeExpectation expected[] = {
      {DIID__DTonvex, TKIND_DISPATCH, TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE,
       L"Dispatch interface for Tonvex Control"},
      {DIID__DTonvexEvents, TKIND_DISPATCH, TYPEFLAG_FDISPATCHABLE,
       L"Event interface for Tonvex Control"},
      {CLSID_Tonvex, TKIND_COCLASS, TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, L"Tonvex Control"},
  };
  for (const TypeExpectation& type : expected) {
    SCOPED_TRACE(type.HelpString);
    Ref<ITypeInfo> info;
    TYPEATTR attr{};
    Describe(type.Guid, info, attr);
    EXPECT_EQ(attr.typekind, type.Kind);
    EXPECT_EQ(attr.wTypeFlags, type.Flags);
    Bstr doc;
    DWORD context = 99;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, doc.Out(), &context, nullptr), S_OK);
    EXPECT_EQ(doc.Str(), type.HelpString);
    EXPECT_EQ(context, 0u);
  }
}

TEST_F(TypeLibraryResource, ControlClassImplementsDefaultAndSourceInterfaces) {
  Ref<ITypeInfo> info;
  TYPEATTR attr{};
  Describe(CLSID_Tonvex, info, attr);
  ASSERT_EQ(attr.cImplTypes, 2);
  const std::pair<GUID, INT> expected[] = {
      {DIID__DTonvex, IMPLTYPEFLAG_FDEFAULT},
      {DIID__DTonvexEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE},
  };
  for (UINT i = 0; i < 2; ++i) {
    INT flags = 0;
    ASSERT_EQ(info->GetImplTypeFlags(i, &flags), S_OK);
    EXPECT_EQ(flags, expected[i].second) << i;
    HREFTYPE ref = 0;
    ASSERT_EQ(info->GetRefTypeOfImplType(i, &ref), S_OK);
    Ref<ITypeInfo> implemented;
    ASSERT_EQ(info->GetRefTypeInfo(ref, implemented.Out()), S_OK);
    TYPEATTR* implAttr = nullptr;
    ASSERT_EQ(implemented->GetTypeAttr(&implAttr), S_OK);
    EXPECT_TRUE(IsEqualGUID(implAttr->guid, expected[i].first)) << i;
    implemented->ReleaseTypeAttr(implAttr);
  }
}

// Only Enabled is bindable and request-edit; the patch of the compiled library touches nothing
// else.
TEST_F(TypeLibraryResource, OnlyEnabledHasVariableFlags) {
  Ref<ITypeInfo> info;
  TYPEATTR attr{};
  Describe(DIID__DTonvex, info, attr);
  std::map<MEMBERID, WORD> flags;
  for (UINT i = 0; i < attr.cVars; ++i) {
    VARDESC* var = nullptr;
    ASSERT_EQ(info->GetVarDesc(i, &var), S_OK);
    flags[var->memid] = var->wVarFlags;
    info->ReleaseVarDesc(var);
  }
  const std::map<MEMBERID, WORD> expected = {
      {1, 0}, {2, 0}, {3, 0}, {DISPID_ENABLED, VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT}};
  EXPECT_EQ(flags, expected);

  LPOLESTR name[] = {const_cast<LPOLESTR>(L"Enabled")};
  MEMBERID id = 0;
  EXPECT_EQ(info->GetIDsOfNames(name, 1, &id), S_OK);
  EXPECT_EQ(id, DISPID_ENABLED);
}

// Containers show the parameter names, and every parameter is passed in.
TEST_F(TypeLibraryResource, ParametersAreNamedInputs) {
  const std::pair<GUID, std::vector<std::pair<MEMBERID, std::vector<std::wstring>>>> expected[] = {
      {DIID__DTonvex, {{4, {L"PlayDtmf", L"PhoneNum"}}}},
      {DIID__DTonvexEvents,
       {{1, {L"DtmfHit", L"KeyCode", L"Level", L"Sensitivity", L"UnusedSize"}},
        {2, {L"LevelHit", L"Level"}},
        {3, {L"OnError", L"ErrMsg"}}}},
  };
  for (const auto& [guid, members] : expected) {
    Ref<ITypeInfo> info;
    TYPEATTR attr{};
    Describe(guid, info, attr);
    Ref<ITypeInfo2> info2;
    ASSERT_EQ(info->QueryInterface(IID_ITypeInfo2, reinterpret_cast<void**>(info2.Out())), S_OK);
    for (const auto& [memid, names] : members) {
      SCOPED_TRACE(names[0]);
      BSTR got[8] = {};
      UINT count = 0;
      ASSERT_EQ(info->GetNames(memid, got, 8, &count), S_OK);
      std::vector<std::wstring> gotNames;
      for (UINT i = 0; i < count; ++i) {
        gotNames.emplace_back(got[i]);
        SysFreeString(got[i]);
      }
      EXPECT_EQ(gotNames, names);

      UINT index = 0;
      ASSERT_EQ(info2->GetFuncIndexOfMemId(memid, INVOKE_FUNC, &index), S_OK);
      FUNCDESC* func = nullptr;
      ASSERT_EQ(info->GetFuncDesc(index, &func), S_OK);
      for (SHORT i = 0; i < func->cParams; ++i) {
        EXPECT_EQ(func->lprgelemdescParam[i].paramdesc.wParamFlags, PARAMFLAG_FIN) << i;
      }
      info->ReleaseFuncDesc(func);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Other resources

class Resources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = LoadLibraryW(ModulePath().c_str()); }
  static void TearDownTestSuite() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(module_, nullptr); }

  static std::vector<uint8_t> Bytes(const wchar_t* type, const wchar_t* name) {
    HRSRC found = FindResourceExW(module_, type, name, kJapanese);
    if (!found) return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module_, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module_, found));
  }

  static HMODULE module_;
};

HMODULE Resources::module_ = nullptr;

std::wstring ResourceName(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                              : std::wstring(name);
}

using Inventory = std::map<std::wstring, std::set<std::wstring>>;

struct InventoryWalk {
  Inventory Found;
  std::set<WORD> Languages;
};

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR walk) {
  reinterpret_cast<InventoryWalk*>(walk)->Languages.insert(language);
  return TRUE;
}

BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR walk) {
  reinterpret_cast<InventoryWalk*>(walk)->Found[ResourceName(type)].insert(ResourceName(name));
  EnumResourceLanguagesW(module, type, name, AddLanguage, walk);
  return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR walk) {
  EnumResourceNamesW(module, type, AddName, walk);
  return TRUE;
}

TEST_F(Resources, InventoryIsCompleteAndAllJapanese) {
  InventoryWalk walk;
  EnumResourceTypesW(module_, AddType, reinterpret_cast<LONG_PTR>(&walk));

  std::set<std::wstring> tones;
  for (int id = IDR_TONE_FIRST; id <= IDR_TONE_LAST; ++id) tones.insert(L"#" + std::to_wstring(id));
  const Inventory expected = {
      {L"TYPELIB", {L"#1"}},     {L"WAVE", tones}, {L"#2", {L"#1", L"#221"}},  // RT_BITMAP
      {L"#3", {L"#1", L"#2"}},    // RT_ICON, the two images of icon 1
      {L"#14", {L"#1"}},          // RT_GROUP_ICON
      {L"#6", {L"#1", L"#13"}},   // RT_STRING, blocks of strings 1-2 and 200
      {L"#5", {L"#1", L"#200"}},  // RT_DIALOG
      {L"#16", {L"#1"}},          // RT_VERSION
  };
  EXPECT_EQ(walk.Found, expected);
  EXPECT_EQ(walk.Languages, std::set<WORD>{kJapanese});
}

TEST_F(Resources, ToneImagesAreTheGeneratedWaveFilesInTableOrder) {
  for (int i = 0; i < tonvex::kToneCount; ++i) {
    const int id = tonvex::kToneTable[i].ResourceId;
    SCOPED_TRACE(id);
    // Looked up exactly as playback does it.
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), "WAVE");
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(module_, found), 1284u);
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module_, found)));
    const tonvex::ToneImageBytes& image = tonvex::ToneImage(i);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), data));
  }
}

// The pixels of a 32-bit top-down DIB section after `paint` drew on it over `background`.
template <class Paint>
std::vector<COLORREF> Render(int width, int height, COLORREF background, Paint paint) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, target);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  paint(dc);
  GdiFlush();
  std::vector<COLORREF> pixels;
  for (int i = 0; i < width * height; ++i) {
    const uint32_t bgrx = static_cast<const uint32_t*>(bits)[i];
    pixels.push_back(RGB(bgrx >> 16 & 0xFF, bgrx >> 8 & 0xFF, bgrx & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  return pixels;
}

std::vector<COLORREF> Expected(const tonvex::Image& image, COLORREF background) {
  std::vector<COLORREF> pixels;
  for (int8_t index : image.Pixels) {
    if (index == tonvex::colour::kTransparent) {
      pixels.push_back(background);
    } else {
      const tonvex::Rgb& c = tonvex::kPalette[static_cast<size_t>(index)];
      pixels.push_back(RGB(c.Red, c.Green, c.Blue));
    }
  }
  return pixels;
}

void ExpectBitmap(HMODULE module, int id, const tonvex::Image& picture) {
  SCOPED_TRACE(id);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2));
  ASSERT_NE(found, nullptr);
  const auto* header =
      static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
  EXPECT_EQ(header->biBitCount, 4);
  EXPECT_EQ(header->biWidth, picture.Width);
  EXPECT_EQ(header->biHeight, picture.Height);

  HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(id));
  ASSERT_NE(bitmap, nullptr);
  BITMAP size{};
  ASSERT_NE(GetObjectW(bitmap, sizeof size, &size), 0);
  EXPECT_EQ(size.bmWidth, picture.Width);
  EXPECT_EQ(size.bmHeight, picture.Height);
  const auto pixels = Render(picture.Width, picture.Height, RGB(1, 2, 3), [&](HDC dc) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, 0, 0, picture.Width, picture.Height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  });
  EXPECT_EQ(pixels, Expected(picture, RGB(1, 2, 3)));
  DeleteObject(bitmap);
}

TEST_F(Resources, BitmapsAreTheDrawnPictures) {
  ExpectBitmap(module_, IDB_CONTROL_PICTURE, tonvex::ControlPicture());
  ExpectBitmap(module_, IDB_TOOLBOX, tonvex::ToolboxPicture());
}

TEST_F(Resources, IconHasBothSizesWithTransparentBackground) {
  const std::vector<uint8_t> group = Bytes(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(IDI_TONVEX));
  ASSERT_EQ(group.size(), 6u + 2 * 14);
  EXPECT_EQ(group[4], 2);  // images
  for (int i = 0; i < 2; ++i) {
    const uint8_t* entry = group.data() + 6 + 14 * i;
    EXPECT_EQ(entry[0], i == 0 ? 32 : 16);
    EXPECT_EQ(entry[2], 16) << "colours";
    EXPECT_EQ(entry[6], 4) << "bits per pixel";
  }
  const std::pair<int, tonvex::Image> sizes[] = {{32, tonvex::LargeIcon()},
                                                 {16, tonvex::SmallIcon()}};
  for (const auto& [size, art] : sizes) {
    SCOPED_TRACE(size);
    auto icon = static_cast<HICON>(
        LoadImageW(module_, MAKEINTRESOURCEW(IDI_TONVEX), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    for (COLORREF background : {RGB(1, 2, 3), RGB(250, 251, 252)}) {
      const auto pixels = Render(size, size, background, [&](HDC dc) {
        DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
      });
      EXPECT_EQ(pixels, Expected(art, background));
    }
    DestroyIcon(icon);
  }
}

TEST_F(Resources, StringsNameTheControlAndItsPage) {
  const std::pair<UINT, const wchar_t*> expected[] = {
      {IDS_CONTROL_TYPE_NAME, L"Tonvex Control"},
      {IDS_PAGE_TYPE_NAME, L"Tonvex Property Page"},
      {IDS_PAGE_CAPTION, L"General"},
  };
  for (const auto& [id, text] : expected) {
    wchar_t buffer[64] = {};
    EXPECT_GT(LoadStringW(module_, id, buffer, 64), 0) << id;
    EXPECT_STREQ(buffer, text);
  }
  char ansi[64] = {};
  EXPECT_GT(LoadStringA(module_, IDS_CONTROL_TYPE_NAME, ansi, 64), 0);
  EXPECT_STREQ(ansi, "Tonvex Control");
}

// A classic DLGTEMPLATE as the dialog manager reads it. Ordinals read as "#n".
struct DialogItem {
  DWORD Style;
  short X, Y, Cx, Cy;
  WORD Id;
  std::wstring Class;
  std::wstring Text;
};

struct Dialog {
  DWORD Style;
  short X, Y, Cx, Cy;
  std::wstring Menu, Class, Caption;
  WORD PointSize = 0;
  std::wstring Face;
  std::vector<DialogItem> Items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  WORD Word() {
    WORD value = 0;
    std::memcpy(&value, bytes_.data() + at_, 2);
    at_ += 2;
    return value;
  }
  DWORD Dword() {
    const WORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  short Short() { return static_cast<short>(Word()); }
  std::wstring SzOrOrd() {
    WORD first = Word();
    if (first == 0xFFFF) return L"#" + std::to_wstring(Word());
    std::wstring text;
    for (; first != 0; first = Word()) text.push_back(static_cast<wchar_t>(first));
    return text;
  }
  void AlignDword() { at_ = (at_ + 3) & ~size_t{3}; }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

Dialog ReadDialog(const std::vector<uint8_t>& bytes) {
  TemplateReader in(bytes);
  Dialog dialog{};
  dialog.Style = in.Dword();
  in.Dword();  // extended style
  const WORD count = in.Word();
  dialog.X = in.Short();
  dialog.Y = in.Short();
  dialog.Cx = in.Short();
  dialog.Cy = in.Short();
  dialog.Menu = in.SzOrOrd();
  dialog.Class = in.SzOrOrd();
  dialog.Caption = in.SzOrOrd();
  if (dialog.Style & DS_SETFONT) {
    dialog.PointSize = in.Word();
    dialog.Face = in.SzOrOrd();
  }
  for (WORD i = 0; i < count; ++i) {
    in.AlignDword();
    DialogItem item{};
    item.Style = in.Dword();
    in.Dword();
    item.X = in.Short();
    item.Y = in.Short();
    item.Cx = in.Short();
    item.Cy = in.Short();
    item.Id = in.Word();
    item.Class = in.SzOrOrd();
    item.Text = in.SzOrOrd();
    in.Word();  // creation data
    dialog.Items.push_back(item);
  }
  return dialog;
}

bool IsStatic(const std::wstring& cls) {
  return cls == L"#130" || CompareStringOrdinal(cls.c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL;
}

void ExpectItem(const DialogItem& item, short x, short y, short cx, short cy, WORD id,
                const std::wstring& text) {
  EXPECT_EQ(item.X, x);
  EXPECT_EQ(item.Y, y);
  EXPECT_EQ(item.Cx, cx);
  EXPECT_EQ(item.Cy, cy);
  EXPECT_EQ(item.Id, id);
  EXPECT_EQ(item.Text, text);
  EXPECT_TRUE(item.Style & WS_VISIBLE);
  EXPECT_TRUE(item.Style & WS_CHILD);
}

const wchar_t kJapaneseGothic[] = L"ＭＳ Ｐゴシック";

TEST_F(Resources, AboutDialogTemplate) {
  const Dialog about = ReadDialog(Bytes(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(IDD_ABOUTBOX)));
  EXPECT_EQ(about.Style, DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(about.X, 34);
  EXPECT_EQ(about.Y, 22);
  EXPECT_EQ(about.Cx, 260);
  EXPECT_EQ(about.Cy, 55);
  EXPECT_EQ(about.Menu, L"");
  EXPECT_EQ(about.Class, L"");
  EXPECT_EQ(about.Caption, L"About Tonvex Control");
  EXPECT_EQ(about.PointSize, 9);
  EXPECT_EQ(about.Face, kJapaneseGothic);
  ASSERT_EQ(about.Items.size(), 3u);

  const DialogItem& icon = about.Items[0];
  ExpectItem(icon, 10, 10, 20, 20, 0xFFFF, L"#1");
  EXPECT_TRUE(IsStatic(icon.Class));
  EXPECT_EQ(icon.Style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));

  const DialogItem& text = about.Items[1];
  ExpectItem(text, 40, 10, 170, 8, 0xFFFF, L"Tonvex Control Version 1.1");
  EXPECT_TRUE(IsStatic(text.Class));
  EXPECT_EQ(text.Style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
  EXPECT_TRUE(text.Style & WS_GROUP);

  const DialogItem& ok = about.Items[2];
  ExpectItem(ok, 221, 7, 32, 14, IDOK, L"OK");
  EXPECT_EQ(ok.Class, L"#128");
  EXPECT_EQ(ok.Style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_TRUE(ok.Style & WS_TABSTOP);
  EXPECT_TRUE(ok.Style & WS_GROUP);
}

TEST_F(Resources, PropertyPageTemplate) {
  const Dialog page = ReadDialog(Bytes(MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(IDD_PROPPAGE)));
  EXPECT_EQ(page.Style, static_cast<DWORD>(WS_CHILD | DS_SETFONT));
  EXPECT_EQ(page.Cx, 250);
  EXPECT_EQ(page.Cy, 62);
  EXPECT_EQ(page.Caption, L"");
  EXPECT_EQ(page.PointSize, 9);
  EXPECT_EQ(page.Face, kJapaneseGothic);
  ASSERT_EQ(page.Items.size(), 2u);

  const DialogItem& text = page.Items[0];
  ExpectItem(text, 7, 7, 165, 16, 0xFFFF, L"サポートしていません");
  EXPECT_TRUE(IsStatic(text.Class));
  EXPECT_EQ(text.Style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));

  const DialogItem& icon = page.Items[1];
  ExpectItem(icon, 227, 38, 16, 17, 0xFFFF, L"#1");
  EXPECT_TRUE(IsStatic(icon.Class));
  EXPECT_EQ(icon.Style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
}

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// The dialog manager builds both templates, and the icon statics find icon 1 in the module.
TEST_F(Resources, DialogsCreateWithTheirIcons) {
  for (int id : {IDD_ABOUTBOX, IDD_PROPPAGE}) {
    SCOPED_TRACE(id);
    HWND parent = nullptr;
    if (id == IDD_PROPPAGE) {
      parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                               nullptr, nullptr);
      ASSERT_NE(parent, nullptr);
    }
    HWND dialog = CreateDialogParamW(module_, MAKEINTRESOURCEW(id), parent, PlainDialog, 0);
    ASSERT_NE(dialog, nullptr);
    int icons = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        ++icons;
        EXPECT_NE(SendMessageW(child, STM_GETICON, 0, 0), 0);
      }
    }
    EXPECT_EQ(icons, 1);
    DestroyWindow(dialog);
    if (parent) DestroyWindow(parent);
  }
}

std::wstring VersionString(const std::vector<uint8_t>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length)) return L"<missing>";
  return std::wstring(static_cast<const wchar_t*>(value));
}

TEST_F(Resources, VersionData) {
  const std::wstring path = ModulePath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<uint8_t> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000003u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 0x04B0);

  EXPECT_EQ(VersionString(info, L"FileVersion"), L"1, 1, 0, 3");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1, 1, 0, 3");
  EXPECT_EQ(VersionString(info, L"FileDescription"), L"Tonvex ActiveX Control Module");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"Tonvex ActiveX Control Module");
  EXPECT_EQ(VersionString(info, L"InternalName"), L"TONVEX");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"TONVEX.OCX");
  EXPECT_NE(VersionString(info, L"OLESelfRegister"), L"<missing>");
}

}  // namespace
