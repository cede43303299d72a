// Recording the line into the capture buffer and moving it into the sample ring.
#include <algorithm>
#include <new>

#include "error_texts.h"
#include "tonvex_ctrl.h"

namespace tonvex {

int CTonvexCtrl::PrepareCapture() {
  // A ring still held from an earlier failed start serves this one. A stored MaxSecond is
  // loaded unchecked; one below 1 gets no ring rather than a wrapped-around giant one.
  if (MaxSecond > 0) Ring.Allocate(static_cast<uint32_t>(MaxSecond) * SampleRate);
  if (!Device.AllocBuffer(CaptureSamples)) {
    FireError(text::kCaptureMemory);
    return 0;
  }
  CaptureData = Device.LockBuffer();
  return 1;
}

void CTonvexCtrl::ReleaseCapture() {
  // The device is closed, so the next search must start recording again, also when the
  // buffer-returned notification went with a destroyed window.
  CaptureStarted = 0;
  Device.CloseInput();
  Device.FreeBuffer();
  CaptureData = nullptr;
  Ring.Release();
}

void CTonvexCtrl::PushCaptured(uint32_t end) {
  // A driver may report a position past the buffer; nothing beyond it was recorded here.
  end = std::min(end, Device.BufferBytes());
  if (!CaptureData || end <= Consumed) return;
  const uint32_t count = end - Consumed;
  try {
    scratch_.resize(count);
  } catch (const std::bad_alloc&) {
    return;  // Consumed stays: the samples are offered again at the next tick
  }
  std::copy(CaptureData + Consumed, CaptureData + end, scratch_.begin());
  if (Ring.Push(scratch_.data(), count)) Consumed = end;
}

void CTonvexCtrl::TransferSamples() {
  const uint32_t position = Device.InputPosition();
  if (position > kTransferLag) PushCaptured(position - kTransferLag);
  if (CaptureStarted) return;

  Consumed = 0;
  if (!Device.OpenInput()) {
    FireError(text::kCannotOpen);
    return;
  }
  if (!Device.StartInput()) {
    FireError(text::kCannotStart);
    return;
  }
  CaptureStarted = 1;
}

void CTonvexCtrl::OnWaveInData(uint32_t bytesRecorded) {
  // The buffer came back full: what was recorded since the last tick is final, so keep it. A
  // notification left over from a stopped search finds the device closed and touches nothing.
  if (Running && CaptureData && Device.IsOpen()) PushCaptured(bytesRecorded);
  Device.CloseInput();
  CaptureStarted = 0;
}

}  // namespace tonvex
