#include "variant.h"

#include <gtest/gtest.h>

namespace {

using tonvex::ChangeType;
using tonvex::Variant;
using tonvex::VarType;

Variant To(const Variant& from, VarType type, tonvex::HResult expected = tonvex::hr::kOk) {
  Variant out;
  EXPECT_EQ(ChangeType(from, type, out), expected);
  return out;
}

TEST(Variant, IntegersConvertBetweenWidthsWithinRange) {
  EXPECT_EQ(To(Variant::I4(-32768), VarType::I2), Variant::I2(-32768));
  To(Variant::I4(32768), VarType::I2, tonvex::hr::kOverflow);
  EXPECT_EQ(To(Variant::I2(-5), VarType::I4), Variant::I4(-5));
  EXPECT_EQ(To(Variant::Bool(true), VarType::I2), Variant::I2(-1));
  EXPECT_EQ(To(Variant(), VarType::I4), Variant::I4(0));
}

TEST(Variant, FractionsRoundHalfToEven) {
  EXPECT_EQ(To(Variant::R8(2.5), VarType::I4), Variant::I4(2));
  EXPECT_EQ(To(Variant::R8(3.5), VarType::I4), Variant::I4(4));
  EXPECT_EQ(To(Variant::R8(-2.5), VarType::I2), Variant::I2(-2));
  EXPECT_EQ(To(Variant::R8(2.6), VarType::I2), Variant::I2(3));
  To(Variant::R8(1e12), VarType::I4, tonvex::hr::kOverflow);
}

TEST(Variant, TextParsesAsANumberOrABooleanWord) {
  EXPECT_EQ(To(Variant::BStr(" 42 "), VarType::I2), Variant::I2(42));
  EXPECT_EQ(To(Variant::BStr("-7.5"), VarType::I4), Variant::I4(-8));
  EXPECT_EQ(To(Variant::BStr("TRUE"), VarType::Bool), Variant::Bool(true));
  EXPECT_EQ(To(Variant::BStr("0"), VarType::Bool), Variant::Bool(false));
  for (const char* bad : {"", "abc", "12abc", "0x10", "nan", "inf"}) {
    To(Variant::BStr(bad), VarType::I4, tonvex::hr::kTypeMismatch);
  }
  To(Variant::BStr("1e400"), VarType::R8, tonvex::hr::kOverflow);
}

TEST(Variant, ValuesBecomeText) {
  EXPECT_EQ(To(Variant::I4(-12), VarType::BStr), Variant::BStr("-12"));
  EXPECT_EQ(To(Variant::Bool(false), VarType::BStr), Variant::BStr("False"));
  EXPECT_EQ(To(Variant::R8(0.25), VarType::BStr), Variant::BStr("0.25"));
  EXPECT_EQ(To(Variant(), VarType::BStr), Variant::BStr(""));
}

}  // namespace
