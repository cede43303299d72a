// The embedded type library and the portable dispatch table describe the same members.
#include <gtest/gtest.h>

#include "com_fixtures.h"
#include "dispatch_table.h"
#include "tonvex_h.h"

namespace {

VARTYPE Vt(tonvex::VarType type) { return static_cast<VARTYPE>(type); }

class TypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(ControlLibrary::Path().c_str(), REGKIND_NONE, &library), S_OK);
  }
  void TearDown() override {
    if (library) library->Release();
  }
  ITypeInfo* Info(REFGUID guid) {
    ITypeInfo* info = nullptr;
    EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK);
    return info;
  }

  // Checks every member of the table against the type information, and that nothing else is there.
  void Compare(ITypeInfo* info, const std::vector<tonvex::MemberInfo>& members) {
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    size_t described = 0;
    for (UINT f = 0; f < attributes->cFuncs; ++f) {
      FUNCDESC* function = nullptr;
      info->GetFuncDesc(f, &function);
      BSTR name = nullptr;
      info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
      char narrow[64] = {};
      WideCharToMultiByte(CP_UTF8, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
      SysFreeString(name);
      const tonvex::MemberInfo* member = tonvex::FindMember(members, function->memid);
      if (function->wFuncFlags & FUNCFLAG_FRESTRICTED) {  // IDispatch's own members
        info->ReleaseFuncDesc(function);
        continue;
      }
      ++described;
      ASSERT_NE(member, nullptr) << narrow;
      EXPECT_STREQ(member->Name, narrow);
      EXPECT_EQ(static_cast<size_t>(function->cParams), member->Params.size()) << narrow;
      for (size_t p = 0; p < member->Params.size() && p < size_t(function->cParams); ++p) {
        EXPECT_EQ(function->lprgelemdescParam[p].tdesc.vt, Vt(member->Params[p].Type)) << narrow;
      }
      const VARTYPE result = function->elemdescFunc.tdesc.vt;
      EXPECT_EQ(result == VT_VOID ? VARTYPE{VT_EMPTY} : result, Vt(member->Type)) << narrow;
      info->ReleaseFuncDesc(function);
    }
    for (UINT v = 0; v < attributes->cVars; ++v) {
      VARDESC* variable = nullptr;
      info->GetVarDesc(v, &variable);
      const tonvex::MemberInfo* member = tonvex::FindMember(members, variable->memid);
      ++described;
      ASSERT_NE(member, nullptr) << variable->memid;
      EXPECT_EQ(member->Kind, tonvex::MemberKind::Property);
      EXPECT_EQ(variable->elemdescVar.tdesc.vt, Vt(member->Type)) << member->Name;
      if (variable->memid == DISPID_ENABLED) {
        EXPECT_EQ(variable->wVarFlags & (VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT),
                  VARFLAG_FBINDABLE | VARFLAG_FREQUESTEDIT);
      }
      info->ReleaseVarDesc(variable);
    }
    EXPECT_EQ(described, members.size());
    info->ReleaseTypeAttr(attributes);
  }

  ITypeLib* library = nullptr;
};

TEST_F(TypeLibrary, DispatchInterfaceMatchesThePortableTable) {
  ITypeInfo* info = Info(DIID__DTonvex);
  ASSERT_NE(info, nullptr);
  Compare(info, tonvex::ControlMembers());
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FHIDDEN);
  info->ReleaseTypeAttr(attributes);
  info->Release();
}

TEST_F(TypeLibrary, EventInterfaceMatchesThePortableTable) {
  ITypeInfo* info = Info(DIID__DTonvexEvents);
  ASSERT_NE(info, nullptr);
  Compare(info, tonvex::ControlEvents());
  info->Release();
}

TEST_F(TypeLibrary, LibraryIsTheControlsVersionOne) {
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_TONVEXLib));
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 0x0409u);
  EXPECT_TRUE(attributes->wLibFlags & LIBFLAG_FCONTROL);
  library->ReleaseTLibAttr(attributes);
}

}  // namespace
