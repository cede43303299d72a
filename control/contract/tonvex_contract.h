// What a host binds to in the Tonvex control: its identities, DISPIDs, events and their
// arguments. The control and its hosts share this header, so no host links the engine for a number.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tonvex::contract {

// Laid out as the platform's GUID, field for field.
struct Guid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};

// The coclass Tonvex.
inline constexpr Guid kClsidTonvex = {
    0xBCF535E3, 0x0353, 0x11D0, {0x85, 0xD0, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
inline constexpr char kClsidTonvexText[] = "{BCF535E3-0353-11D0-85D0-444553540000}";
inline constexpr char kProgId[] = "TONVEX.TonvexCtrl.1";

// The type library TONVEXLib, version 1.0.
inline constexpr Guid kLibId = {
    0xC1B3B764, 0x4B81, 0x11D1, {0x92, 0x8A, 0x00, 0x00, 0x1A, 0x0B, 0xF1, 0xDC}};
inline constexpr char kLibIdText[] = "{C1B3B764-4B81-11D1-928A-00001A0BF1DC}";

// The dispinterface _DTonvex, the control's properties and methods.
inline constexpr Guid kIidDTonvex = {
    0xC1B3B765, 0x4B81, 0x11D1, {0x92, 0x8A, 0x00, 0x00, 0x1A, 0x0B, 0xF1, 0xDC}};
inline constexpr char kIidDTonvexText[] = "{C1B3B765-4B81-11D1-928A-00001A0BF1DC}";

// The dispinterface _DTonvexEvents, the source interface of the events.
inline constexpr Guid kIidDTonvexEvents = {
    0xC1B3B766, 0x4B81, 0x11D1, {0x92, 0x8A, 0x00, 0x00, 0x1A, 0x0B, 0xF1, 0xDC}};
inline constexpr char kIidDTonvexEventsText[] = "{C1B3B766-4B81-11D1-928A-00001A0BF1DC}";

namespace dispid {
constexpr int32_t kErrorMsg = 1;
constexpr int32_t kMaxSecond = 2;
constexpr int32_t kSensitivity = 3;
constexpr int32_t kPlayDtmf = 4;
constexpr int32_t kSearchDtmf = 5;
constexpr int32_t kSearchLevel = 6;
constexpr int32_t kEnabled = -514;   // DISPID_ENABLED
constexpr int32_t kAboutBox = -552;  // DISPID_ABOUTBOX
// The container's ambient property the control reads, not a member of its own.
constexpr int32_t kAmbientUserMode = -709;  // DISPID_AMBIENT_USERMODE
}  // namespace dispid

namespace event {
constexpr int32_t kDtmfHit = 1;
constexpr int32_t kLevelHit = 2;
constexpr int32_t kOnError = 3;
}  // namespace event

// Argument positions in declared order. DISPPARAMS::rgvarg holds them last first, so a host
// reads position i at rgvarg[cArgs - 1 - i].
constexpr size_t kDtmfHitKeyCode = 0;
constexpr size_t kDtmfHitLevel = 1;
constexpr size_t kDtmfHitSensitivity = 2;
constexpr size_t kDtmfHitUnusedSize = 3;
constexpr size_t kDtmfHitArgCount = 4;
constexpr size_t kLevelHitLevel = 0;
constexpr size_t kLevelHitArgCount = 1;
constexpr size_t kOnErrorErrMsg = 0;
constexpr size_t kOnErrorArgCount = 1;

// The VARTYPE numbers of the types that cross the interfaces; Empty is no value.
enum class VarType : uint16_t { Empty = 0, I2 = 2, I4 = 3, BStr = 8, Bool = 11 };

struct Param {
  const char* Name;
  VarType Type;  // passed by value
};

struct Member {
  int32_t Dispid;
  const char* Name;
  bool IsProperty;
  VarType Type;  // the property's type, or the method's result
  const Param* Params;
  size_t ParamCount;
};

inline constexpr Param kPlayDtmfParams[] = {{"PhoneNum", VarType::BStr}};
inline constexpr Param kDtmfHitParams[kDtmfHitArgCount] = {{"KeyCode", VarType::I2},
                                                           {"Level", VarType::I2},
                                                           {"Sensitivity", VarType::I4},
                                                           {"UnusedSize", VarType::I4}};
inline constexpr Param kLevelHitParams[kLevelHitArgCount] = {{"Level", VarType::I4}};
inline constexpr Param kOnErrorParams[kOnErrorArgCount] = {{"ErrMsg", VarType::BStr}};

// _DTonvex.
inline constexpr Member kMembers[] = {
    {dispid::kErrorMsg, "ErrorMsg", true, VarType::BStr, nullptr, 0},
    {dispid::kMaxSecond, "MaxSecond", true, VarType::I2, nullptr, 0},
    {dispid::kSensitivity, "Sensitivity", true, VarType::I4, nullptr, 0},
    {dispid::kEnabled, "Enabled", true, VarType::Bool, nullptr, 0},
    {dispid::kPlayDtmf, "PlayDtmf", false, VarType::Bool, kPlayDtmfParams, 1},
    {dispid::kSearchDtmf, "SearchDtmf", false, VarType::Bool, nullptr, 0},
    {dispid::kSearchLevel, "SearchLevel", false, VarType::Bool, nullptr, 0},
    {dispid::kAboutBox, "AboutBox", false, VarType::Empty, nullptr, 0},
};

// _DTonvexEvents: methods without a result.
inline constexpr Member kEvents[] = {
    {event::kDtmfHit, "DtmfHit", false, VarType::Empty, kDtmfHitParams, kDtmfHitArgCount},
    {event::kLevelHit, "LevelHit", false, VarType::Empty, kLevelHitParams, kLevelHitArgCount},
    {event::kOnError, "OnError", false, VarType::Empty, kOnErrorParams, kOnErrorArgCount},
};

}  // namespace tonvex::contract
