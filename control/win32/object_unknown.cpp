// Creation, identity and the one reference count of the control object.
#include "guids.h"
#include "module.h"
#include "text.h"
#include "tonvex_object.h"
#include "trace.h"

HRESULT TonvexObject::Create(REFIID iid, void** object) {
  auto* created = new (std::nothrow) TonvexObject();
  if (!created) return E_OUTOFMEMORY;
  const HRESULT result = created->QueryInterface(iid, object);
  created->Release();  // a failed QueryInterface frees the object here
  return result;
}

TonvexObject::TonvexObject()
    : events_(*this, DIID__DTonvexEvents, IID_IDispatch),
      propertyNotify_(*this, IID_IPropertyNotifySink, IID_IPropertyNotifySink),
      window_(*this),
      control_(*this, waveIn_, soundOut_, &Utf8ToAnsi) {
  ObjectCreated();
}

TonvexObject::~TonvexObject() {
  // The window goes first, while the control can still hear of it and stop its search.
  window_.Destroy();
  inPlaceSite_.Reset();
  viewSink_.Reset();
  oleAdviseHolder_.Reset();
  clientSite_.Reset();
  ObjectDestroyed();
}

HRESULT TonvexObject::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
      IsEqualIID(iid, DIID__DTonvex)) {
    *object = static_cast<IDispatch*>(this);
  } else if (IsEqualIID(iid, IID_IProvideClassInfo) || IsEqualIID(iid, IID_IProvideClassInfo2)) {
    *object = static_cast<IProvideClassInfo2*>(this);
  } else if (IsEqualIID(iid, IID_IConnectionPointContainer)) {
    *object = static_cast<IConnectionPointContainer*>(this);
  } else if (IsEqualIID(iid, IID_IOleObject)) {
    *object = static_cast<IOleObject*>(this);
  } else if (IsEqualIID(iid, IID_IOleControl)) {
    *object = static_cast<IOleControl*>(this);
  } else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceObject)) {
    *object = static_cast<IOleInPlaceObject*>(this);
  } else if (IsEqualIID(iid, IID_IViewObject) || IsEqualIID(iid, IID_IViewObject2)) {
    *object = static_cast<IViewObject2*>(this);
  } else if (IsEqualIID(iid, IID_IPersist) || IsEqualIID(iid, IID_IPersistStreamInit)) {
    *object = static_cast<IPersistStreamInit*>(this);
  } else if (IsEqualIID(iid, IID_IPersistStream)) {
    // IPersistStreamInit extends IPersistStream's table with InitNew at the end.
    *object = static_cast<IPersistStreamInit*>(this);
  } else if (IsEqualIID(iid, IID_IPersistPropertyBag)) {
    *object = static_cast<IPersistPropertyBag*>(this);
  } else if (IsEqualIID(iid, IID_IPersistStorage)) {
    *object = static_cast<IPersistStorage*>(this);
  } else if (IsEqualIID(iid, IID_ISpecifyPropertyPages)) {
    *object = static_cast<ISpecifyPropertyPages*>(this);
  } else {
    return NoInterface("Tonvex", iid);
  }
  AddRef();
  return S_OK;
}

ULONG TonvexObject::AddRef() { return AddReference(); }

ULONG TonvexObject::Release() { return DropReference(); }
