#include "class_factory.h"

#include "module.h"
#include "property_page.h"
#include "tonvex_object.h"
#include "trace.h"

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return NoInterface("ClassFactory", iid);
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return create_(iid, object);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  LockModule(lock != FALSE);
  return S_OK;
}

ClassFactory& ControlFactory() {
  static ClassFactory factory(&TonvexObject::Create);
  return factory;
}

ClassFactory& PageFactory() {
  static ClassFactory factory(&PropertyPage::Create);
  return factory;
}
