// A connection point container's parts: one connection point (the sinks advised for one
// outgoing interface, cookie = slot + 1), and the enumeration of a container's points.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <vector>

class ConnectionPoint : public IConnectionPoint {
 public:
  // `container` answers FindConnectionPoint and holds this point's lifetime. A sink is asked
  // for `iid`, then for `fallback` (IID_IDispatch for event interfaces).
  ConnectionPoint(IConnectionPointContainer& container, REFIID iid, REFIID fallback);
  ~ConnectionPoint();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return container_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return container_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

  // The sinks now advised, each AddRef'ed: a sink may unadvise while it is being called.
  std::vector<IUnknown*> Sinks() const;
  const IID& Iid() const { return iid_; }

 private:
  IConnectionPointContainer& container_;  // not owned: the object this point belongs to
  IID iid_;
  IID fallback_;
  std::vector<IUnknown*> sinks_;  // empty slots are null
};

// Answers IConnectionPointContainer::EnumConnectionPoints with the container's points.
HRESULT EnumerateConnectionPoints(std::vector<IConnectionPoint*> points,
                                  IEnumConnectionPoints** out);
