// The one conversion between COM's VARIANT and the portable variant, for calls, property bags
// and events alike.
#pragma once

#include <windows.h>

#include "variant.h"

// References are followed; other numbers arrive as doubles and anything else that converts
// as text. DISP_E_TYPEMISMATCH when nothing fits.
HRESULT FromVariant(const VARIANT& in, tonvex::Variant& out);
// out is initialised here; the caller clears it.
void ToVariant(const tonvex::Variant& in, VARIANT* out);
