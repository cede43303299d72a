// Invoke by DISPID through the dispatch table: argument counts, coercion, property access.
#include "tonvex_control.h"

namespace tonvex {

HResult TonvexControl::GetIDsOfNames(const std::string& name, int32_t& dispid) const {
  const MemberInfo* member = FindMember(ControlMembers(), name);
  if (!member) return hr::kUnknownName;
  dispid = member->Dispid;
  return hr::kOk;
}

HResult TonvexControl::Invoke(int32_t dispid, uint16_t flags, const std::vector<Variant>& args,
                              Variant* result, uint32_t* argError) {
  const MemberInfo* member = FindMember(ControlMembers(), dispid);
  if (!member) return hr::kMemberNotFound;

  if (member->Kind == MemberKind::Property) {
    if (flags & (dispatch::kPropertyPut | dispatch::kPropertyPutRef)) {
      if (args.size() != 1) return hr::kBadParamCount;
      Variant value;
      if (const HResult converted = ChangeType(args[0], member->Type, value);
          !Succeeded(converted)) {
        if (argError) *argError = 0;
        return converted;
      }
      return PutProperty(dispid, value);
    }
    // A get, also when asked as a method call without arguments.
    if (!(flags & (dispatch::kPropertyGet | dispatch::kMethod))) return hr::kMemberNotFound;
    if (!args.empty()) return hr::kBadParamCount;
    Variant value;
    const HResult got = GetProperty(dispid, value);
    if (result) *result = value;
    return got;
  }

  if (!(flags & dispatch::kMethod)) return hr::kMemberNotFound;
  if (args.size() != member->Params.size()) return hr::kBadParamCount;
  std::vector<Variant> converted(args.size());
  for (size_t i = 0; i < args.size(); ++i) {
    if (const HResult changed = ChangeType(args[i], member->Params[i].Type, converted[i]);
        !Succeeded(changed)) {
      if (argError) *argError = static_cast<uint32_t>(i);
      return changed;
    }
  }
  const Variant value = CallMethod(dispid, converted);
  if (result) *result = value;
  return hr::kOk;
}

HResult TonvexControl::GetProperty(int32_t dispid, Variant& value) const {
  switch (dispid) {
    case dispid::kErrorMsg:
      value = Variant::BStr(GetErrorMsg());
      return hr::kOk;
    case dispid::kMaxSecond:
      value = Variant::I2(GetMaxSecond());
      return hr::kOk;
    case dispid::kSensitivity:
      value = Variant::I4(GetSensitivity());
      return hr::kOk;
    case dispid::kEnabled:
      value = Variant::Bool(GetEnabled());
      return hr::kOk;
  }
  return hr::kMemberNotFound;
}

HResult TonvexControl::PutProperty(int32_t dispid, const Variant& value) {
  switch (dispid) {
    case dispid::kErrorMsg:
      PutErrorMsg(value.AsBStr());
      return hr::kOk;
    case dispid::kMaxSecond:
      PutMaxSecond(value.AsI2());
      return hr::kOk;
    case dispid::kSensitivity:
      PutSensitivity(value.AsI4());
      return hr::kOk;
    case dispid::kEnabled:
      return PutEnabled(value.AsBool());
  }
  return hr::kMemberNotFound;
}

Variant TonvexControl::CallMethod(int32_t dispid, const std::vector<Variant>& args) {
  switch (dispid) {
    case dispid::kPlayDtmf:
      return Variant::Bool(PlayDtmf(args[0].AsBStr()));
    case dispid::kSearchDtmf:
      return Variant::Bool(SearchDtmf());
    case dispid::kSearchLevel:
      return Variant::Bool(SearchLevel());
    case dispid::kAboutBox:
      AboutBox();
      return Variant();
  }
  return Variant();
}

}  // namespace tonvex
