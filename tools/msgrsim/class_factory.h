// The class object registered for the Messenger class while msgrsim runs: every client that
// creates the class gets a Messenger object of this process.
#pragma once

#include <objbase.h>

#include <functional>

namespace msgrsim {

class ClassFactory : public IClassFactory {
 public:
  // Answers CreateInstance: a new Messenger object asked for iid, or the failure.
  using Create = std::function<HRESULT(REFIID iid, void** object)>;
  explicit ClassFactory(Create create) : create_(std::move(create)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  // The factory lives as long as the program: no count to keep.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  Create create_;
};

}  // namespace msgrsim
