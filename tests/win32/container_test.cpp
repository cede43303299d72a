// The control driven as a container drives it: siting, interfaces, dispatch, events,
// persistence, drawing, and the last Release.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "com_fixtures.h"
#include "tonvex_h.h"

namespace {

const CLSID kPropertyPage = {
    0xC1B3B767, 0x4B81, 0x11D1, {0x92, 0x8A, 0x00, 0x00, 0x1A, 0x0B, 0xF1, 0xDC}};

template <typename T>
T* As(IUnknown* object, REFIID iid) {
  T* result = nullptr;
  object->QueryInterface(iid, reinterpret_cast<void**>(&result));
  return result;
}

// Where GDI objects stand: the system's count where it keeps one, and the highest handle slot
// that 256 new objects take. Wine keeps no count but fills free slots first, so that slot
// climbs only while objects are being kept.
struct GdiMark {
  DWORD count;
  WORD highestSlot;
};
GdiMark MarkGdi() {
  std::vector<HBRUSH> probes(256);
  GdiMark mark = {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), 0};
  for (HBRUSH& probe : probes) {
    probe = CreateSolidBrush(RGB(1, 2, 3));
    mark.highestSlot = std::max(mark.highestSlot, LOWORD(reinterpret_cast<UINT_PTR>(probe)));
  }
  for (HBRUSH probe : probes) DeleteObject(probe);
  return mark;
}

class Container : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_NE(library.Module(), nullptr) << "TONVEX.OCX beside the test program";
    ASSERT_EQ(library.CreateControl(IID_IDispatch, reinterpret_cast<void**>(&control)), S_OK);
    IOleObject* ole = As<IOleObject>(control, IID_IOleObject);
    ASSERT_EQ(ole->SetClientSite(&site), S_OK);
    ole->Release();
  }
  void TearDown() override {
    if (control) {
      IOleObject* ole = As<IOleObject>(control, IID_IOleObject);
      ole->Close(OLECLOSE_NOSAVE);
      ole->SetClientSite(nullptr);
      ole->Release();
      EXPECT_EQ(control->Release(), 0u);
      control = nullptr;
    }
    EXPECT_EQ(site.references, 0);
    EXPECT_EQ(library.CanUnloadNow(), S_OK);
    CoUninitialize();
  }

  VARIANT Get(DISPID dispid) {
    VARIANT value;
    EXPECT_EQ(Call(control, dispid, DISPATCH_PROPERTYGET, {}, &value), S_OK) << dispid;
    return value;
  }
  HRESULT Put(DISPID dispid, VARIANT value) {
    return Call(control, dispid, DISPATCH_PROPERTYPUT, {value}, nullptr);
  }
  VARIANT Method(DISPID dispid, std::vector<VARIANT> args = {}) {
    VARIANT value;
    EXPECT_EQ(Call(control, dispid, DISPATCH_METHOD, std::move(args), &value), S_OK) << dispid;
    return value;
  }
  std::wstring ErrorMsg() {
    VARIANT text = Get(1);
    std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
    VariantClear(&text);
    return result;
  }

  ControlLibrary library;
  StubSite site;
  IDispatch* control = nullptr;
};

TEST_F(Container, AnswersForTheInterfacesOfAControlAndNoOthers) {
  const IID present[] = {IID_IDispatch,
                         DIID__DTonvex,
                         IID_IProvideClassInfo,
                         IID_IProvideClassInfo2,
                         IID_IConnectionPointContainer,
                         IID_IOleObject,
                         IID_IOleControl,
                         IID_IOleWindow,
                         IID_IOleInPlaceObject,
                         IID_IViewObject,
                         IID_IViewObject2,
                         IID_IPersist,
                         IID_IPersistStreamInit,
                         IID_IPersistPropertyBag,
                         IID_IPersistStorage,
                         IID_ISpecifyPropertyPages};
  IUnknown* identity = As<IUnknown>(control, IID_IUnknown);
  for (const IID& iid : present) {
    IUnknown* asked = As<IUnknown>(control, iid);
    ASSERT_NE(asked, nullptr);
    IUnknown* back = As<IUnknown>(asked, IID_IUnknown);
    EXPECT_EQ(back, identity);
    back->Release();
    asked->Release();
  }
  identity->Release();
  const IID absent[] = {IID_IOleInPlaceActiveObject, IID_IPersistMemory,
                        IID_IQuickActivate,          IID_IDataObject,
                        IID_IClassFactory,           IID_IOleInPlaceObjectWindowless};
  // Off by default; once turned on, every interface declined and member not implemented is
  // traced.
  EXPECT_EQ(As<IUnknown>(control, IID_IDataObject), nullptr);
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string trace = std::string(folder) + "tonvex-trace.txt";
  DeleteFileA(trace.c_str());
  SetEnvironmentVariableA("TONVEX_TRACE", trace.c_str());
  for (const IID& iid : absent) EXPECT_EQ(As<IUnknown>(control, iid), nullptr);
  IOleObject* ole = As<IOleObject>(control, IID_IOleObject);
  IMoniker* moniker = nullptr;
  EXPECT_EQ(ole->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, &moniker), E_NOTIMPL);
  ole->Release();
  SetEnvironmentVariableA("TONVEX_TRACE", nullptr);
  std::stringstream read;
  read << std::ifstream(trace).rdbuf();
  const std::string lines = read.str();
  DeleteFileA(trace.c_str());
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 7) << lines;
  EXPECT_NE(lines.find("Tonvex: no interface {0000010E-0000-0000-C000-000000000046}"),
            std::string::npos)
      << "IDataObject asked while tracing";
  EXPECT_NE(lines.find("IOleObject::GetMoniker: not implemented"), std::string::npos);
}

TEST_F(Container, DescribesItselfAsTheTonvexControl) {
  IOleObject* ole = As<IOleObject>(control, IID_IOleObject);
  DWORD status = 0;
  EXPECT_EQ(ole->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
  EXPECT_EQ(status, 132241u);
  CLSID clsid;
  EXPECT_EQ(ole->GetUserClassID(&clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Tonvex));
  LPOLESTR name = nullptr;
  EXPECT_EQ(ole->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
  EXPECT_STREQ(name, L"Tonvex Control");
  CoTaskMemFree(name);
  ole->Release();

  ISpecifyPropertyPages* pages = As<ISpecifyPropertyPages>(control, IID_ISpecifyPropertyPages);
  CAUUID list = {};
  EXPECT_EQ(pages->GetPages(&list), S_OK);
  ASSERT_EQ(list.cElems, 1u);
  EXPECT_TRUE(IsEqualGUID(list.pElems[0], kPropertyPage));
  CoTaskMemFree(list.pElems);
  pages->Release();

  IProvideClassInfo2* info = As<IProvideClassInfo2>(control, IID_IProvideClassInfo2);
  GUID events;
  EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_TRUE(IsEqualGUID(events, DIID__DTonvexEvents));
  ITypeInfo* classInfo = nullptr;
  ASSERT_EQ(info->GetClassInfo(&classInfo), S_OK);
  TYPEATTR* attributes = nullptr;
  classInfo->GetTypeAttr(&attributes);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, CLSID_Tonvex));
  classInfo->ReleaseTypeAttr(attributes);
  classInfo->Release();
  info->Release();
}

TEST_F(Container, HasItsWindowAsSoonAsItIsSited) {
  IOleWindow* window = As<IOleWindow>(control, IID_IOleWindow);
  HWND hwnd = nullptr;
  EXPECT_EQ(window->GetWindow(&hwnd), S_OK);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_FALSE(IsWindowVisible(hwnd));
  window->Release();
}

TEST_F(Container, NamesResolveThroughTheTypeLibrary) {
  const std::pair<const wchar_t*, DISPID> names[] = {
      {L"SearchDtmf", 5},  {L"searchdtmf", 5}, {L"AboutBox", -552},
      {L"Enabled", -514},  {L"ErrorMsg", 1},   {L"MaxSecond", 2},
      {L"Sensitivity", 3}, {L"PlayDtmf", 4},   {L"SearchLevel", 6}};
  for (const auto& [name, expected] : names) {
    LPOLESTR asked = const_cast<LPOLESTR>(name);
    DISPID dispid = 0;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &asked, 1, LOCALE_USER_DEFAULT, &dispid), S_OK);
    EXPECT_EQ(dispid, expected);
  }
  LPOLESTR unknown = const_cast<LPOLESTR>(L"Nothing");
  DISPID dispid = 0;
  EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &dispid),
            DISP_E_UNKNOWNNAME);
}

TEST_F(Container, PropertiesKeepTheirRangesAndTextsArriveAsUnicode) {
  EXPECT_EQ(Put(2, I2(9)), S_OK);
  VARIANT value = Get(2);
  EXPECT_EQ(V_VT(&value), VT_I2);
  EXPECT_EQ(V_I2(&value), 10);
  EXPECT_EQ(Put(2, I4(120)), S_OK);
  value = Get(2);
  EXPECT_EQ(V_I2(&value), 120);
  EXPECT_EQ(Put(3, I4(301)), S_OK);
  value = Get(3);
  EXPECT_EQ(V_VT(&value), VT_I4);
  EXPECT_EQ(V_I4(&value), 50);
  EXPECT_EQ(Put(3, Bstr(L"1")), S_OK);
  value = Get(3);
  EXPECT_EQ(V_I4(&value), 1);
  EXPECT_EQ(Put(3, Bstr(L"many")), DISP_E_TYPEMISMATCH);

  EXPECT_EQ(Put(-514, Bool(false)), S_OK);
  value = Method(5);
  EXPECT_EQ(V_VT(&value), VT_BOOL);
  EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);
  EXPECT_EQ(ErrorMsg(), L"プロパティEnabledがFALSEです");
  value = Method(4, {Bstr(L"1")});
  EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);
  EXPECT_EQ(ErrorMsg(), L"プロパティEnabledがFALSE");
  EXPECT_EQ(Put(1, Bstr(L"")), S_OK);
  EXPECT_EQ(ErrorMsg(), L"");
}

TEST_F(Container, DesignModeAnswersTrueAndUserModeRefusesBadSymbols) {
  site.userMode = false;
  VARIANT value = Method(4, {Bstr(L"xyz")});
  EXPECT_EQ(V_BOOL(&value), VARIANT_TRUE);
  EXPECT_GT(site.ambientQueries, 0);
  site.userMode = true;
  value = Method(4, {Bstr(L"x")});
  EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);
  EXPECT_EQ(ErrorMsg(), L"不正文字有り");
}

TEST_F(Container, WrongCallsFailAsAutomationFailures) {
  VARIANT value;
  EXPECT_EQ(Call(control, 99, DISPATCH_METHOD, {}, &value), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(control, 5, DISPATCH_METHOD, {I4(1)}, &value), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(control, 4, DISPATCH_METHOD, {}, &value), DISP_E_BADPARAMCOUNT);
}

TEST_F(Container, LevelSearchFiresEventsIntoAConnectedSinkEveryTick) {
  IConnectionPointContainer* points =
      As<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
  IConnectionPoint* point = nullptr;
  ASSERT_EQ(points->FindConnectionPoint(DIID__DTonvexEvents, &point), S_OK);
  EventSink sink(DIID__DTonvexEvents);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

  VARIANT started = Method(6);
  EXPECT_EQ(V_BOOL(&started), VARIANT_TRUE);
  PumpUntil([&] { return sink.fired.size() >= 3; });
  Method(6);
  size_t levels = 0;
  for (const FiredEvent& event : sink.fired) {
    if (event.dispid != 2) continue;
    ++levels;
    ASSERT_EQ(event.args.size(), 1u);
    EXPECT_EQ(V_VT(&event.args[0]), VT_I4);
    EXPECT_GE(V_I4(&event.args[0]), 0);
    EXPECT_LE(V_I4(&event.args[0]), 127);
  }
  EXPECT_GE(levels, 3u);

  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(sink.references, 0);
  EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
  point->Release();
  points->Release();
}

TEST_F(Container, EnabledAsksTheContainerAndTellsItOfTheChange) {
  IConnectionPointContainer* points =
      As<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
  IConnectionPoint* point = nullptr;
  ASSERT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, &point), S_OK);
  PropertySink sink;
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

  sink.allowEdit = false;
  EXPECT_EQ(Put(-514, Bool(false)), CTL_E_SETNOTPERMITTED);
  EXPECT_TRUE(sink.changed.empty());
  sink.allowEdit = true;
  EXPECT_EQ(Put(-514, Bool(false)), S_OK);
  EXPECT_EQ(sink.requested, std::vector<DISPID>({-514, -514}));
  EXPECT_EQ(sink.changed, std::vector<DISPID>({-514}));
  VARIANT enabled = Get(-514);
  EXPECT_EQ(V_BOOL(&enabled), VARIANT_FALSE);

  point->Unadvise(cookie);
  point->Release();
  points->Release();
}

TEST_F(Container, PropertiesRoundTripThroughAStreamAndAPropertyBag) {
  Put(3, I4(275));
  Put(2, I2(90));
  Put(-514, Bool(false));
  IPersistStreamInit* persist = As<IPersistStreamInit>(control, IID_IPersistStreamInit);
  EXPECT_EQ(persist->IsDirty(), S_OK);
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  EXPECT_EQ(persist->Save(stream, TRUE), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);
  MapPropertyBag bag;
  IPersistPropertyBag* persistBag = As<IPersistPropertyBag>(control, IID_IPersistPropertyBag);
  EXPECT_EQ(persistBag->Save(&bag, TRUE, TRUE), S_OK);
  EXPECT_EQ(V_I4(&bag.entries.at(L"Sensitivity")), 275);
  EXPECT_EQ(V_I2(&bag.entries.at(L"MaxSecond")), 90);
  persistBag->Release();
  persist->Release();

  IDispatch* copy = nullptr;
  ASSERT_EQ(library.CreateControl(IID_IDispatch, reinterpret_cast<void**>(&copy)), S_OK);
  IPersistStreamInit* load = As<IPersistStreamInit>(copy, IID_IPersistStreamInit);
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(load->Load(stream), S_OK);
  VARIANT value;
  Call(copy, 3, DISPATCH_PROPERTYGET, {}, &value);
  EXPECT_EQ(V_I4(&value), 275);
  Call(copy, -514, DISPATCH_PROPERTYGET, {}, &value);
  EXPECT_EQ(V_BOOL(&value), VARIANT_FALSE);

  // Half a stream loads nothing of it.
  IStream* half = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &half);
  const BYTE bytes[8] = {0, 0, 1, 0, 0x4F, 0x03, 0, 0};
  half->Write(bytes, sizeof bytes, nullptr);
  half->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(load->Load(half), STG_E_READFAULT);
  Call(copy, 3, DISPATCH_PROPERTYGET, {}, &value);
  EXPECT_EQ(V_I4(&value), 50);
  half->Release();

  IPersistPropertyBag* loadBag = As<IPersistPropertyBag>(copy, IID_IPersistPropertyBag);
  EXPECT_EQ(loadBag->Load(&bag, nullptr), S_OK);
  Call(copy, 2, DISPATCH_PROPERTYGET, {}, &value);
  EXPECT_EQ(V_I2(&value), 90);
  loadBag->Release();

  // A compound document keeps the same bytes in its "Contents" stream.
  ILockBytes* bytesOnMemory = nullptr;
  IStorage* storage = nullptr;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytesOnMemory), S_OK);
  ASSERT_EQ(StgCreateDocfileOnILockBytes(
                bytesOnMemory, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage),
            S_OK);
  IPersistStorage* saveStorage = As<IPersistStorage>(control, IID_IPersistStorage);
  EXPECT_EQ(saveStorage->Save(storage, FALSE), S_OK);
  saveStorage->Release();
  Call(copy, 2, DISPATCH_PROPERTYPUT, {I2(10)}, nullptr);
  IPersistStorage* loadStorage = As<IPersistStorage>(copy, IID_IPersistStorage);
  EXPECT_EQ(loadStorage->Load(storage), S_OK);
  Call(copy, 2, DISPATCH_PROPERTYGET, {}, &value);
  EXPECT_EQ(V_I2(&value), 90);
  loadStorage->Release();
  storage->Release();
  bytesOnMemory->Release();
  load->Release();
  stream->Release();
  EXPECT_EQ(copy->Release(), 0u);
}

TEST_F(Container, DrawsThePictureStretchedOverTheBounds) {
  HDC screen = GetDC(nullptr);
  HDC drawn = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 64, 16);
  HGDIOBJ old = SelectObject(drawn, target);
  IViewObject2* view = As<IViewObject2>(control, IID_IViewObject2);
  const RECTL bounds = {0, 0, 64, 16};
  EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, drawn, &bounds, nullptr,
                       nullptr, 0),
            S_OK);

  // Each drawn pixel shows the picture at the matching place: 2 destination columns to each
  // source column, 2 source rows to each destination row. Stretching may sample either row or
  // blend neighbours, so every channel must lie within the range of its source neighbourhood.
  HBITMAP picture = LoadBitmapW(library.Module(), MAKEINTRESOURCEW(221));
  BITMAP size = {};
  GetObjectW(picture, sizeof size, &size);
  EXPECT_EQ(size.bmWidth, 32);
  EXPECT_EQ(size.bmHeight, 32);
  HDC source = CreateCompatibleDC(screen);
  HGDIOBJ sourceOld = SelectObject(source, picture);
  int misplaced = 0;
  std::set<COLORREF> colours;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) {
      const COLORREF shown = GetPixel(drawn, x, y);
      colours.insert(shown);
      int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
      for (int sy = std::max(0, 2 * y - 1); sy <= std::min(31, 2 * y + 2); ++sy) {
        for (int sx = std::max(0, x / 2 - 1); sx <= std::min(31, x / 2 + 1); ++sx) {
          const COLORREF neighbour = GetPixel(source, sx, sy);
          const int channels[3] = {GetRValue(neighbour), GetGValue(neighbour),
                                   GetBValue(neighbour)};
          for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channels[c]);
            high[c] = std::max(high[c], channels[c]);
          }
        }
      }
      const int channels[3] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
      bool inside = true;
      for (int c = 0; c < 3; ++c)
        inside = inside && channels[c] >= low[c] && channels[c] <= high[c];
      misplaced += !inside;
    }
  }
  EXPECT_EQ(misplaced, 0);
  EXPECT_GE(colours.size(), 4u) << "the picture, not a plain fill";
  EXPECT_TRUE(colours.count(RGB(255, 255, 255))) << "the white upper edge";
  SelectObject(source, sourceOld);
  DeleteDC(source);
  DeleteObject(picture);

  // Painting again and again holds on to nothing.
  const GdiMark before = MarkGdi();
  for (int i = 0; i < 50; ++i) {
    view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, drawn, &bounds, nullptr, nullptr,
               0);
  }
  const GdiMark after = MarkGdi();
  EXPECT_EQ(after.count, before.count);
  EXPECT_EQ(after.highestSlot, before.highestSlot);
  view->Release();
  SelectObject(drawn, old);
  DeleteObject(target);
  DeleteDC(drawn);
  ReleaseDC(nullptr, screen);
}

// Waits for the About dialog and presses its OK button, as a person would.
DWORD WINAPI PressAboutOk(void*) {
  for (int i = 0; i < 500; ++i) {
    if (HWND box = FindWindowW(L"#32770", L"About Tonvex Control")) {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 1;
    }
    Sleep(10);
  }
  return 0;
}

TEST_F(Container, AboutBoxReturnsWhenItsOkButtonIsPressed) {
  HANDLE presser = CreateThread(nullptr, 0, &PressAboutOk, nullptr, 0, nullptr);
  VARIANT result = Method(-552);
  EXPECT_EQ(V_VT(&result), VT_EMPTY);
  WaitForSingleObject(presser, 5000);
  DWORD pressed = 0;
  GetExitCodeThread(presser, &pressed);
  CloseHandle(presser);
  EXPECT_EQ(pressed, 1u);
}

TEST_F(Container, PropertyPageShowsItsGeneralPage) {
  IPropertyPage* page = nullptr;
  ASSERT_EQ(library.CreatePage(IID_IPropertyPage, reinterpret_cast<void**>(&page)), S_OK);
  PROPPAGEINFO info = {};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"General");
  EXPECT_GT(info.size.cx, 0);
  CoTaskMemFree(info.pszTitle);
  IUnknown* objects[] = {control};
  EXPECT_EQ(page->SetObjects(1, objects), S_OK);
  EXPECT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  EXPECT_EQ(page->Release(), 0u);
  VARIANT value = Get(3);
  EXPECT_EQ(V_I4(&value), 50);
}

}  // namespace

namespace {

// Creates, sites and starts a level search, then says how many levels arrived (two are waited
// for, ten seconds at most).
size_t LevelsHeard(const ControlLibrary& library) {
  IDispatch* control = nullptr;
  if (FAILED(library.CreateControl(IID_IDispatch, reinterpret_cast<void**>(&control)))) return 0;
  StubSite site;
  IOleObject* ole = As<IOleObject>(control, IID_IOleObject);
  ole->SetClientSite(&site);
  IConnectionPointContainer* points =
      As<IConnectionPointContainer>(control, IID_IConnectionPointContainer);
  IConnectionPoint* point = nullptr;
  points->FindConnectionPoint(DIID__DTonvexEvents, &point);
  EventSink sink(DIID__DTonvexEvents);
  DWORD cookie = 0;
  point->Advise(&sink, &cookie);
  VARIANT result;
  Call(control, 6, DISPATCH_METHOD, {}, &result);
  PumpUntil([&] { return sink.fired.size() >= 2; });
  Call(control, 6, DISPATCH_METHOD, {}, &result);
  point->Unadvise(cookie);
  point->Release();
  points->Release();
  ole->Close(OLECLOSE_NOSAVE);
  ole->SetClientSite(nullptr);
  ole->Release();
  control->Release();
  return sink.fired.size();
}

TEST(ControlLibraryLife, UnloadedAndReloadedLibraryStillRunsItsWindow) {
  CoInitialize(nullptr);
  {
    ControlLibrary first;
    EXPECT_GE(LevelsHeard(first), 2u);
    EXPECT_EQ(first.CanUnloadNow(), S_OK);
  }
  {
    ControlLibrary second;
    EXPECT_GE(LevelsHeard(second), 2u);
  }
  CoUninitialize();
}

}  // namespace
