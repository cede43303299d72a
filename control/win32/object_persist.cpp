// IPersistStreamInit, IPersistPropertyBag and IPersistStorage over the portable property exchange.
#include <vector>

#include "guids.h"
#include "stream_persistence.h"
#include "text.h"
#include "tonvex_object.h"
#include "variant_conversion.h"

namespace {

const wchar_t kContentsStream[] = L"Contents";

// A container's IPropertyBag as the portable bag.
class BagAdapter : public tonvex::PropertyBag {
 public:
  BagAdapter(IPropertyBag* bag, IErrorLog* log) : bag_(bag), log_(log) {}

  tonvex::HResult Read(const std::string& name, tonvex::Variant& value) override {
    VARIANT read;
    VariantInit(&read);
    HRESULT result = bag_->Read(Utf8ToWide(name).c_str(), &read, log_);
    if (SUCCEEDED(result)) result = FromVariant(read, value);
    VariantClear(&read);
    return result;
  }

  tonvex::HResult Write(const std::string& name, const tonvex::Variant& value) override {
    VARIANT written;
    ToVariant(value, &written);
    const HRESULT result = bag_->Write(Utf8ToWide(name).c_str(), &written);
    VariantClear(&written);
    return result;
  }

 private:
  IPropertyBag* bag_;  // not owned
  IErrorLog* log_;     // not owned, may be null
};

}  // namespace

HRESULT TonvexObject::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_Tonvex;
  return S_OK;
}

HRESULT TonvexObject::Load(IStream* stream) {
  if (!stream) return E_POINTER;
  std::vector<uint8_t> bytes(tonvex::kStreamBytes);
  ULONG read = 0;
  const HRESULT result = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  if (FAILED(result)) read = 0;
  const HRESULT loaded = control_.LoadStream(bytes.data(), read);
  dirty_ = false;
  return loaded;
}

HRESULT TonvexObject::Save(IStream* stream, BOOL clearDirty) {
  if (!stream) return E_POINTER;
  const std::vector<uint8_t> bytes = control_.SaveStream();
  ULONG written = 0;
  const HRESULT result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  if (FAILED(result)) return result;
  if (written != bytes.size()) return STG_E_MEDIUMFULL;
  if (clearDirty) dirty_ = false;
  return S_OK;
}

HRESULT TonvexObject::GetSizeMax(ULARGE_INTEGER* size) {
  if (!size) return E_POINTER;
  size->QuadPart = tonvex::kStreamBytes;
  return S_OK;
}

HRESULT TonvexObject::InitNew() {
  control_.ResetState();
  dirty_ = false;
  return S_OK;
}

HRESULT TonvexObject::Load(IPropertyBag* bag, IErrorLog* log) {
  if (!bag) return E_POINTER;
  BagAdapter adapter(bag, log);
  const HRESULT result = control_.LoadBag(adapter);
  dirty_ = false;
  return result;
}

HRESULT TonvexObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  if (!bag) return E_POINTER;
  BagAdapter adapter(bag, nullptr);
  const HRESULT result = control_.SaveBag(adapter);
  if (SUCCEEDED(result) && clearDirty) dirty_ = false;
  return result;
}

HRESULT TonvexObject::InitNew(IStorage*) { return InitNew(); }

HRESULT TonvexObject::Load(IStorage* storage) {
  if (!storage) return E_POINTER;
  IStream* stream = nullptr;
  const HRESULT opened =
      storage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
  if (FAILED(opened)) {
    control_.ResetState();
    return opened;
  }
  const HRESULT result = Load(stream);
  stream->Release();
  return result;
}

HRESULT TonvexObject::Save(IStorage* storage, BOOL) {
  if (!storage) return E_POINTER;
  IStream* stream = nullptr;
  const HRESULT created = storage->CreateStream(
      kContentsStream, STGM_WRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0, 0, &stream);
  if (FAILED(created)) return created;
  const HRESULT result = Save(stream, TRUE);
  stream->Release();
  return result;
}
