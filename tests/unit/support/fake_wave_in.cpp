#include "fake_wave_in.h"

using tonvex::MmResult;

MmResult FakeWaveIn::Open(const tonvex::PcmFormat& f, tonvex::WindowHandle w) {
  calls.push_back("Open");
  if (openResult != tonvex::kMmNoError) return openResult;
  if (open) return tonvex::kMmAllocated;
  open = true;
  format = f;
  window = w;
  return tonvex::kMmNoError;
}

MmResult FakeWaveIn::PrepareHeader(tonvex::WaveHeader& h) {
  calls.push_back("Prepare");
  header = &h;
  return prepareResult;
}

MmResult FakeWaveIn::AddBuffer(tonvex::WaveHeader&) {
  calls.push_back("Add");
  return addResult;
}

MmResult FakeWaveIn::Start() {
  calls.push_back("Start");
  return tonvex::kMmNoError;
}

MmResult FakeWaveIn::GetPosition(uint32_t& bytes) {
  bytes = position;
  return positionResult;
}

MmResult FakeWaveIn::Reset() {
  calls.push_back("Reset");
  return tonvex::kMmNoError;
}

MmResult FakeWaveIn::UnprepareHeader(tonvex::WaveHeader&) {
  calls.push_back("Unprepare");
  return tonvex::kMmNoError;
}

MmResult FakeWaveIn::Close() {
  calls.push_back("Close");
  open = false;
  return tonvex::kMmNoError;
}

std::unique_ptr<uint8_t[]> FakeWaveIn::AllocateBuffer(uint32_t bytes) {
  if (refuseMemory) return nullptr;
  return WaveIn::AllocateBuffer(bytes);
}

std::string FakeWaveIn::Log() const {
  std::string log;
  for (const std::string& call : calls) log += (log.empty() ? "" : " ") + call;
  return log;
}
