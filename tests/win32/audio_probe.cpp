// A container program for the tests that need real sound under Wine. Each mode prints what it
// saw and exits with 0 when everything was as expected, 1 when not, 2 on a usage error.
//   audio_probe keys SYMBOLS TIMEOUT_MS   DTMF search until SYMBOLS were heard, in order
//   audio_probe keys-modal ...            the same, with a modal box shown inside each DtmfHit
//   audio_probe keys-reopened ...         the same, after the control was closed during a
//                                         search and sited again
//   audio_probe no-device                 searches on a machine without a capture device
//   audio_probe play SYMBOLS              PlayDtmf(SYMBOLS)
//   audio_probe find RECORDING SYMBOLS    the tone images of SYMBOLS, and only silence around
//                                         them, in a raw 8-bit recording
#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "com_fixtures.h"
#include "tonvex_h.h"

namespace {

constexpr DISPID kPlayDtmf = 4;
constexpr DISPID kSearchDtmf = 5;
constexpr DISPID kSearchLevel = 6;
constexpr DISPID kDtmfHit = 1;
constexpr DISPID kLevelHit = 2;
constexpr DISPID kOnError = 3;
constexpr BYTE kSilence = 128;
constexpr size_t kToneSamples = 1102;
constexpr size_t kLongestGap = 11025 / 2;
constexpr DWORD kTickMs = 100;

int failures = 0;

bool Expect(bool ok, const char* format, ...) {
  if (ok) return true;
  ++failures;
  std::fputs("FAIL: ", stdout);
  va_list args;
  va_start(args, format);
  SayV(format, args);
  va_end(args);
  return false;
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &result[0], size,
                      nullptr, nullptr);
  return result;
}

std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

// One control, sited in user mode, with an event sink connected.
class Session {
 public:
  Session() { CoInitialize(nullptr); }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session() {
    if (point_) {
      point_->Unadvise(cookie_);
      point_->Release();
    }
    if (control_) {
      IOleObject* ole = nullptr;
      if (SUCCEEDED(control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) {
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
        ole->Release();
      }
      control_->Release();
    }
    CoUninitialize();
  }

  bool Open() {
    if (!Expect(library_.Module() != nullptr, "TONVEX.OCX does not load from beside the program"))
      return false;
    if (!Expect(library_.CreateControl(IID_IDispatch, reinterpret_cast<void**>(&control_)) == S_OK,
                "the control cannot be created"))
      return false;
    IOleObject* ole = nullptr;
    control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    const HRESULT sited = ole ? ole->SetClientSite(&site_) : E_NOINTERFACE;
    if (ole) ole->Release();
    if (!Expect(sited == S_OK, "SetClientSite: 0x%08lx", sited)) return false;
    IConnectionPointContainer* points = nullptr;
    control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
    if (!Expect(points != nullptr, "no IConnectionPointContainer")) return false;
    points->FindConnectionPoint(DIID__DTonvexEvents, &point_);
    points->Release();
    if (!Expect(point_ != nullptr, "no connection point for the events")) return false;
    return Expect(point_->Advise(&sink, &cookie_) == S_OK, "Advise failed");
  }

  // Closes the control, which destroys its window during a search, and sites it anew.
  bool Reopen() {
    IOleObject* ole = nullptr;
    control_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    if (!Expect(ole != nullptr, "no IOleObject")) return false;
    const HRESULT closed = ole->Close(OLECLOSE_NOSAVE);
    const HRESULT sited = ole->SetClientSite(&secondSite_);
    ole->Release();
    return Expect(closed == S_OK && sited == S_OK, "Close 0x%08lx, SetClientSite 0x%08lx", closed,
                  sited);
  }

  // Calls a method that answers a Boolean and tells whether it answered TRUE.
  bool CallTrue(DISPID dispid, std::vector<VARIANT> args, const char* name) {
    VARIANT result;
    const HRESULT called = Call(control_, dispid, DISPATCH_METHOD, std::move(args), &result);
    const bool ok = called == S_OK && V_VT(&result) == VT_BOOL && V_BOOL(&result) == VARIANT_TRUE;
    VariantClear(&result);
    return Expect(ok, "%s did not answer TRUE (0x%08lx)", name, called);
  }

  EventSink sink{DIID__DTonvexEvents};

 private:
  ControlLibrary library_;
  StubSite site_;
  StubSite secondSite_;
  IDispatch* control_ = nullptr;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

size_t CountOf(const EventSink& sink, DISPID dispid) {
  size_t count = 0;
  for (const FiredEvent& event : sink.fired) count += event.dispid == dispid;
  return count;
}

constexpr wchar_t kModalTitle[] = L"tonvex-probe";

// Presses OK on the probe's modal box a little after it appears.
DWORD WINAPI PressOk(LPVOID) {
  for (int tries = 0; tries < 200; ++tries) {
    if (HWND box = FindWindowW(L"#32770", kModalTitle)) {
      Sleep(300);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}

// A box shown modally inside an event pumps messages, so the control's next ticks come in while
// its event runs.
void ShowModalBox() {
  HANDLE presser = CreateThread(nullptr, 0, PressOk, nullptr, 0, nullptr);
  MessageBoxW(nullptr, L"DtmfHit", kModalTitle, MB_OK);
  WaitForSingleObject(presser, INFINITE);
  CloseHandle(presser);
}

int Keys(const std::string& mode, const std::string& expected, DWORD timeout) {
  Session session;
  if (!session.Open() || !session.CallTrue(kSearchDtmf, {}, "SearchDtmf (start)")) return 1;
  if (mode == "keys-modal") {
    session.sink.onFire = [](DISPID dispid) {
      if (dispid == kDtmfHit) ShowModalBox();
    };
  }
  if (mode == "keys-reopened") {
    // Recording has started when the window goes; its buffer-returned notification goes too.
    PumpMessages(300);
    if (!session.Reopen() || !session.CallTrue(kSearchDtmf, {}, "SearchDtmf (after reopening)"))
      return 1;
  }
  Say("ready");
  const DWORD start = GetTickCount();
  const bool all =
      PumpUntil([&] { return CountOf(session.sink, kDtmfHit) >= expected.size(); }, timeout);
  Say("%s after %lu ms", all ? "all keys" : "timed out", GetTickCount() - start);
  // A key reported twice, or one that the silence after the last tone made up, arrives here.
  PumpMessages(500);
  session.CallTrue(kSearchDtmf, {}, "SearchDtmf (stop)");

  std::string heard;
  for (const FiredEvent& event : session.sink.fired) {
    if (event.dispid == kOnError && event.args.size() == 1 && V_VT(&event.args[0]) == VT_BSTR) {
      Expect(false, "OnError \"%s\"", Utf8(V_BSTR(&event.args[0])).c_str());
      continue;
    }
    if (!Expect(event.dispid == kDtmfHit, "unexpected event %ld", event.dispid)) continue;
    const std::vector<VARIANT>& args = event.args;
    if (!Expect(args.size() == 4 && V_VT(&args[0]) == VT_I2 && V_VT(&args[1]) == VT_I2 &&
                    V_VT(&args[2]) == VT_I4 && V_VT(&args[3]) == VT_I4,
                "DtmfHit without the arguments (short, short, long, long)"))
      continue;
    const SHORT key = V_I2(&args[0]);
    const SHORT level = V_I2(&args[1]);
    const LONG strength = V_I4(&args[2]);
    const LONG free = V_I4(&args[3]);
    Say("DtmfHit %d '%c' level %d sensitivity %ld free %ld", key, key > 31 && key < 127 ? key : '?',
        level, strength, free);
    heard += static_cast<char>(key);
    // The tones swing over nearly the full range; a hit reaches the default sensitivity of 50;
    // the ring holds at most the default 10 s.
    Expect(level >= 100 && level <= 127, "level %d of a full-scale tone", level);
    Expect(strength >= 50, "sensitivity %ld below the threshold it passed", strength);
    Expect(free >= 0 && free <= 110250, "free ring space %ld", free);
  }
  Say("keys: %s", heard.c_str());
  Expect(heard == expected, "heard \"%s\", expected \"%s\"", heard.c_str(), expected.c_str());
  return failures ? 1 : 0;
}

// Every event from `first` on must be OnError with the text for a device that cannot be opened.
void ExpectOpenErrors(const EventSink& sink, size_t first, size_t end) {
  static const std::wstring kCannotOpen = L"ウェーブフォームがオープンできません";
  for (size_t i = first; i < end; ++i) {
    const FiredEvent& event = sink.fired[i];
    if (!Expect(
            event.dispid == kOnError && event.args.size() == 1 && V_VT(&event.args[0]) == VT_BSTR,
            "event %u is %ld, not OnError(text)", static_cast<unsigned>(i), event.dispid))
      continue;
    const BSTR text = V_BSTR(&event.args[0]);
    Expect(std::wstring(text, SysStringLen(text)) == kCannotOpen, "OnError \"%s\"",
           Utf8(text).c_str());
  }
}

int NoDevice() {
  const UINT devices = waveInGetNumDevs();
  if (!Expect(devices == 0, "Wine found %u capture device(s); this test needs none", devices))
    return 1;
  Session session;
  if (!session.Open()) return 1;
  std::vector<FiredEvent>& fired = session.sink.fired;

  // DTMF search: one OnError per tick, and none once it is stopped.
  if (!session.CallTrue(kSearchDtmf, {}, "SearchDtmf (start)")) return 1;
  DWORD start = GetTickCount();
  PumpUntil([&] { return fired.size() >= 3; });
  if (!session.CallTrue(kSearchDtmf, {}, "SearchDtmf (stop)")) return 1;
  DWORD elapsed = GetTickCount() - start;
  const size_t dtmfErrors = fired.size();
  PumpMessages(400);
  Say("DTMF search: %u events in %lu ms", static_cast<unsigned>(dtmfErrors), elapsed);
  ExpectOpenErrors(session.sink, 0, fired.size());
  Expect(dtmfErrors >= 3, "only %u OnError in %lu ms of ticks every %lu ms",
         static_cast<unsigned>(dtmfErrors), elapsed, kTickMs);
  Expect(dtmfErrors <= elapsed / kTickMs + 1, "more OnError (%u) than ticks in %lu ms",
         static_cast<unsigned>(dtmfErrors), elapsed);
  Expect(fired.size() == dtmfErrors, "%u events after the search was stopped",
         static_cast<unsigned>(fired.size() - dtmfErrors));

  // Level search: every tick fires its OnError and then its LevelHit, which proves one error per
  // tick; with nothing recorded the level is 0.
  const size_t first = fired.size();
  if (!session.CallTrue(kSearchLevel, {}, "SearchLevel (start)")) return 1;
  start = GetTickCount();
  PumpUntil([&] { return fired.size() - first >= 6; });
  if (!session.CallTrue(kSearchLevel, {}, "SearchLevel (stop)")) return 1;
  elapsed = GetTickCount() - start;
  const size_t levelEvents = fired.size() - first;
  PumpMessages(400);
  Say("level search: %u events in %lu ms", static_cast<unsigned>(levelEvents), elapsed);
  Expect(levelEvents >= 6 && levelEvents % 2 == 0, "%u events, not pairs of at least 3 ticks",
         static_cast<unsigned>(levelEvents));
  for (size_t i = first; i + 1 < first + levelEvents; i += 2) {
    ExpectOpenErrors(session.sink, i, i + 1);
    const FiredEvent& level = fired[i + 1];
    Expect(level.dispid == kLevelHit && level.args.size() == 1 && V_VT(&level.args[0]) == VT_I4 &&
               V_I4(&level.args[0]) == 0,
           "event %u of the level search is not LevelHit(0)", static_cast<unsigned>(i + 1));
  }
  Expect(fired.size() == first + levelEvents, "%u events after the level search was stopped",
         static_cast<unsigned>(fired.size() - first - levelEvents));
  return failures ? 1 : 0;
}

int Play(const char* symbols) {
  Session session;
  if (!session.Open()) return 1;
  const DWORD start = GetTickCount();
  const bool played = session.CallTrue(kPlayDtmf, {Bstr(Widen(symbols).c_str())}, "PlayDtmf");
  const DWORD elapsed = GetTickCount() - start;
  Say("PlayDtmf(\"%s\") took %lu ms", symbols, elapsed);
  // Synchronous playback cannot return before the tones had their 100 ms each.
  const DWORD shortest = 95 * static_cast<DWORD>(std::strlen(symbols));
  Expect(elapsed >= shortest, "returned after %lu ms, before %lu ms of tones", elapsed, shortest);
  Expect(session.sink.fired.empty(), "PlayDtmf fired %u events",
         static_cast<unsigned>(session.sink.fired.size()));
  return played && !failures ? 0 : 1;
}

// The 1102 samples of a symbol's tone image, read from the control library's "WAVE" resource.
bool ToneSamples(HMODULE library, char symbol, std::vector<BYTE>& samples) {
  static const char kSymbols[] = "0123456789ABCD*#";
  const char* found = symbol ? std::strchr(kSymbols, symbol) : nullptr;
  if (!Expect(found != nullptr, "'%c' is no tone symbol", symbol)) return false;
  const int id = 205 + static_cast<int>(found - kSymbols);
  HRSRC resource = FindResourceA(library, MAKEINTRESOURCEA(id), "WAVE");
  const BYTE* image =
      resource ? static_cast<const BYTE*>(LockResource(LoadResource(library, resource))) : nullptr;
  const DWORD size = resource ? SizeofResource(library, resource) : 0;
  if (!Expect(image && size >= 44 + kToneSamples, "no tone image %d", id)) return false;
  DWORD length = 0;
  std::memcpy(&length, image + 40, sizeof length);
  if (!Expect(std::memcmp(image + 36, "data", 4) == 0 && length == kToneSamples,
              "tone image %d has no data chunk of %u samples", id,
              static_cast<unsigned>(kToneSamples)))
    return false;
  samples.assign(image + 44, image + 44 + kToneSamples);
  return true;
}

// Skips the silence from `at` on and tells whether it was all silence. Wine fills the underrun at
// the end of a playback with zero bytes, not with the 8-bit silence value; a run of them up to
// three 10 ms periods long counts as silence too.
bool SkipSilence(const std::vector<BYTE>& recording, size_t& at, size_t& longest) {
  constexpr size_t kLongestFill = 3 * 11025 / 100;
  while (at < recording.size() && (recording[at] == kSilence || recording[at] == 0)) {
    const size_t from = at;
    while (at < recording.size() && recording[at] == 0) ++at;
    longest = std::max(longest, at - from);
    if (!Expect(at - from <= kLongestFill, "%u zero samples at %u",
                static_cast<unsigned>(at - from), static_cast<unsigned>(from)))
      return false;
    while (at < recording.size() && recording[at] == kSilence) ++at;
  }
  return true;
}

// The length of the run of zeros or of silence values that starts at `at`.
size_t GapAt(const std::vector<BYTE>& recording, size_t at) {
  const BYTE fill = recording[at];
  if (fill != 0 && fill != kSilence) return 0;
  size_t end = at;
  while (end < recording.size() && recording[end] == fill) ++end;
  return end - at;
}

int Find(const char* path, const char* symbols) {
  std::vector<BYTE> recording;
  if (FILE* file = std::fopen(path, "rb")) {
    BYTE block[4096];
    for (size_t read; (read = std::fread(block, 1, sizeof block, file)) > 0;)
      recording.insert(recording.end(), block, block + read);
    std::fclose(file);
  }
  Say("recording: %u samples", static_cast<unsigned>(recording.size()));
  ControlLibrary library;
  if (!Expect(library.Module() != nullptr, "TONVEX.OCX does not load")) return 1;

  size_t at = 0;
  size_t longest = 0;
  std::vector<BYTE> tone;
  for (const char* symbol = symbols; *symbol; ++symbol) {
    if (!ToneSamples(library.Module(), *symbol, tone)) return 1;
    // A tone starts at phase zero, on the silence value, so its first samples hide in the
    // silence before it; the first other sample marks where it is.
    size_t lead = 0;
    while (lead < tone.size() && tone[lead] == kSilence) ++lead;
    const size_t from = at;
    if (!SkipSilence(recording, at, longest)) return 1;
    if (!Expect(at < recording.size() && at >= from + lead, "tone '%c' not found after sample %u",
                *symbol, static_cast<unsigned>(from)))
      return 1;
    at -= lead;
    const size_t start = at;
    size_t differing = 0, gaps = 0;
    int largest = 0;
    for (size_t i = 0; i < tone.size(); ++i, ++at) {
      // A player starved of time leaves a gap, zeros or silence, which no tone sample is
      // (they lie in 1..254 apart from the silence value): the tone goes on after it.
      const size_t gap =
          at < recording.size() && recording[at] != tone[i] ? GapAt(recording, at) : 0;
      if (gap > 0 && gap <= kLongestGap) {
        ++gaps;
        at += gap;
      }
      const int difference = at < recording.size() ? recording[at] - tone[i] : 256;
      differing += difference != 0;
      largest = std::max(largest, std::abs(difference));
    }
    Say("tone '%c' at sample %u: %u of %u samples differ, by at most %d; %u gap(s)", *symbol,
        static_cast<unsigned>(start), static_cast<unsigned>(differing),
        static_cast<unsigned>(tone.size()), largest, static_cast<unsigned>(gaps));
    if (!Expect(differing == 0, "tone '%c' is not the image played sample for sample", *symbol))
      return 1;
  }
  if (SkipSilence(recording, at, longest)) {
    Expect(at == recording.size(), "sample %u after the last tone is %u, not silence",
           static_cast<unsigned>(at), at < recording.size() ? recording[at] : 0u);
  }
  Say("longest run of zero samples: %u", static_cast<unsigned>(longest));
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if ((mode == "keys" || mode == "keys-modal" || mode == "keys-reopened") && argc == 4) {
    return Keys(mode, argv[2], std::strtoul(argv[3], nullptr, 10));
  }
  if (mode == "no-device" && argc == 2) return NoDevice();
  if (mode == "play" && argc == 3) return Play(argv[2]);
  if (mode == "find" && argc == 4) return Find(argv[2], argv[3]);
  std::fputs(
      "usage: audio_probe keys|keys-modal|keys-reopened SYMBOLS TIMEOUT_MS | no-device |"
      " play SYMBOLS |"
      " find RECORDING SYMBOLS\n",
      stderr);
  return 2;
}
