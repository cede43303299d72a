#include "connection_point.h"

#include <new>
#include <utility>

#include "reference_counted.h"
#include "trace.h"

namespace {

// Enumerates a container's connection points.
class PointEnumerator final : public IEnumConnectionPoints, public ReferenceCounted {
 public:
  PointEnumerator(std::vector<IConnectionPoint*> points, size_t next)
      : points_(std::move(points)), next_(next) {
    for (IConnectionPoint* point : points_) point->AddRef();
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumConnectionPoints)) {
      *object = static_cast<IEnumConnectionPoints*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return NoInterface("EnumConnectionPoints", iid);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return AddReference(); }
  ULONG STDMETHODCALLTYPE Release() override { return DropReference(); }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG given = 0;
    while (given < count && next_ < points_.size()) {
      out[given] = points_[next_++];
      out[given++]->AddRef();
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = points_.size() - next_;
    next_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) PointEnumerator(points_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  ~PointEnumerator() override {
    for (IConnectionPoint* point : points_) point->Release();
  }
  std::vector<IConnectionPoint*> points_;
  size_t next_;
};

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, REFIID iid, REFIID fallback)
    : container_(container), iid_(iid), fallback_(fallback) {}

ConnectionPoint::~ConnectionPoint() {
  for (IUnknown* sink : sinks_) {
    if (sink) sink->Release();
  }
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return NoInterface("ConnectionPoint", iid);
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = &container_;
  container_.AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!sink || !cookie) return E_POINTER;
  *cookie = 0;
  void* asked = nullptr;
  if (FAILED(sink->QueryInterface(iid_, &asked)) &&
      FAILED(sink->QueryInterface(fallback_, &asked))) {
    return CONNECT_E_CANNOTCONNECT;
  }
  for (size_t slot = 0; slot < sinks_.size(); ++slot) {
    if (!sinks_[slot]) {
      sinks_[slot] = static_cast<IUnknown*>(asked);
      *cookie = static_cast<DWORD>(slot + 1);
      return S_OK;
    }
  }
  sinks_.push_back(static_cast<IUnknown*>(asked));
  *cookie = static_cast<DWORD>(sinks_.size());
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  if (cookie == 0 || cookie > sinks_.size() || !sinks_[cookie - 1]) return CONNECT_E_NOCONNECTION;
  IUnknown* sink = sinks_[cookie - 1];
  sinks_[cookie - 1] = nullptr;
  sink->Release();
  return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (out) *out = nullptr;
  return NotImplemented("IConnectionPoint::EnumConnections");
}

std::vector<IUnknown*> ConnectionPoint::Sinks() const {
  std::vector<IUnknown*> sinks;
  for (IUnknown* sink : sinks_) {
    if (!sink) continue;
    sink->AddRef();
    sinks.push_back(sink);
  }
  return sinks;
}

HRESULT EnumerateConnectionPoints(std::vector<IConnectionPoint*> points,
                                  IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) PointEnumerator(std::move(points), 0);
  return *out ? S_OK : E_OUTOFMEMORY;
}
