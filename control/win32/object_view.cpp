// IViewObject2 and painting: the control picture stretched over the bounds, nothing else.
#include "module.h"
#include "resource_ids.h"
#include "tonvex_object.h"

namespace {

// Loads the picture anew, renders it and lets go of everything again, so repeated paints
// hold no handles.
void DrawPicture(HDC dc, const RECT& bounds, const RECTL* windowBounds) {
  HBITMAP bitmap = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_CONTROL_PICTURE));
  BITMAP info = {};
  GetObjectW(bitmap, sizeof info, &info);
  PICTDESC description = {};
  description.cbSizeofstruct = sizeof description;
  description.picType = PICTYPE_BITMAP;
  description.bmp.hbitmap = bitmap;
  IPicture* picture = nullptr;
  OleCreatePictureIndirect(&description, IID_IPicture, FALSE, reinterpret_cast<void**>(&picture));
  if (picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // For a metafile the bitmap's own extent is the window.
    RECT metafileBounds = {0, 0, info.bmWidth, info.bmHeight};
    picture->Render(dc, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, 0, height, width, -height,
                    windowBounds ? &metafileBounds : nullptr);
    picture->Release();
  }
  DeleteObject(bitmap);
}

}  // namespace

HRESULT TonvexObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                           LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!dc || !bounds) return E_INVALIDARG;
  const RECT rect = {bounds->left, bounds->top, bounds->right, bounds->bottom};
  DrawPicture(dc, rect, windowBounds);
  return S_OK;
}

void TonvexObject::OnPaint(HDC dc, const RECT& bounds) { DrawPicture(dc, bounds, nullptr); }

HRESULT TonvexObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** palette) {
  if (palette) *palette = nullptr;
  return S_FALSE;
}

HRESULT TonvexObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
  viewSink_ = ComPtr<IAdviseSink>::Share(sink);
  viewAspects_ = aspects;
  viewFlags_ = flags;
  return S_OK;
}

HRESULT TonvexObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
  if (aspects) *aspects = viewAspects_;
  if (flags) *flags = viewFlags_;
  if (sink) {
    *sink = viewSink_.Copy();
  }
  return S_OK;
}

HRESULT TonvexObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, SIZEL* size) {
  return GetExtent(aspect, size);
}
