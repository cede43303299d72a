// tonvex-scan: decodes a sound file the way the control hears it on a sound card input.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "dtmf_detector.h"
#include "event_loop.h"
#include "event_printer.h"
#include "line_wave_in.h"
#include "scan_options.h"
#include "sim_control_host.h"
#include "sound_file.h"
#include "standard_output.h"
#include "streamed_line.h"
#include "tonvex_ctrl.h"

namespace {

constexpr uint32_t kBlockSamples = 1102;  // what one 100 ms tick moves

std::string TimeStamp(sim::Micros micros) {
  char text[32];
  std::snprintf(text, sizeof text, "t=%.3f", static_cast<double>(micros) / sim::kMicrosPerSecond);
  return text;
}

// The live pipeline: capture timing, ticks, buffer restarts, all in virtual time.
void ScanLive(const scan::ScanOptions& options, sim::EventLoop& loop, sim::LineWaveIn& wave,
              scan::EventPrinter& printer) {
  sim::SimControlHost host(loop);
  tonvex::CTonvexCtrl control(host, wave);
  host.Attach(&control);
  control.Sensitivity = options.sensitivity;
  control.MaxSecond = static_cast<int16_t>(options.maxSecond);

  const sim::Micros searchStart = loop.Now();
  host.SetEventHandler([&](int32_t dispid, const tonvex::EventArgs& args) {
    printer.Print(TimeStamp(loop.Now() - searchStart), dispid, args);
  });
  auto toggle = [&] { options.level ? control.SearchLevel() : control.SearchDtmf(); };
  toggle();

  // The line plays from the first recording, then one second of silence follows it.
  while (!wave.LineStarted() && loop.RunOne()) {
  }
  if (wave.LineStarted()) {
    loop.RunUntil(wave.LineStartTime() + sim::TimeOfSamples(wave.LineLength() + tonvex::kLineRate));
  }
  if (control.Running) toggle();
  while (loop.RunOne()) {
  }
}

// Frame by frame: the samples go straight from the file to the detector, through a ring of
// the search's size, which the hits report as the control's would.
void ScanFrames(const scan::ScanOptions& options, sim::LineReader& line,
                scan::EventPrinter& printer) {
  tonvex::SampleRing ring;
  ring.Allocate(static_cast<uint32_t>(options.maxSecond) * tonvex::kLineRate);
  tonvex::DtmfDetector detector;
  detector.Arm(options.sensitivity);

  struct Printer : tonvex::DtmfHitSink {
    Printer(scan::EventPrinter& printer, const tonvex::SampleRing& ring)
        : printer(printer), ring(ring) {}
    bool OnDtmfHit(const tonvex::DtmfHit& hit) override {
      printer.Print("frame=" + std::to_string(hit.Frame), tonvex::dispid::kDtmfHit,
                    {hit.KeyCode, hit.Level, hit.Strength, static_cast<int32_t>(ring.Free())});
      return true;
    }
    scan::EventPrinter& printer;
    const tonvex::SampleRing& ring;
  } sink(printer, ring);

  // The file is read in large pieces, fewer calls; the ring takes it a block at a time.
  std::vector<uint8_t> bytes(64 * kBlockSamples);
  std::vector<double> block(kBlockSamples);
  while (const size_t read = line.Read(bytes.data(), bytes.size())) {
    for (size_t offset = 0; offset < read; offset += kBlockSamples) {
      const size_t count = std::min<size_t>(kBlockSamples, read - offset);
      std::copy_n(bytes.begin() + static_cast<ptrdiff_t>(offset), count, block.begin());
      ring.Push(block.data(), static_cast<uint32_t>(count));
      detector.AnalysePending(ring, sink);
    }
  }
}

}  // namespace

namespace {

int Scan(const scan::ScanOptions& options) {
  scan::EventPrinter printer(stdout, options.keys);
  sim::LineReader reader;
  std::string error;
  if (!reader.Open(options.file)) {
    error = reader.Error();
  } else if (options.frames) {
    ScanFrames(options, reader, printer);
    error = reader.Error();
  } else if (reader.ExactLength() > 0) {
    // A file in the line's own format plays straight from the file.
    sim::EventLoop loop;
    scan::StreamedLine line(reader);
    sim::LineWaveIn wave(loop, line, reader.ExactLength());
    ScanLive(options, loop, wave, printer);
    error = reader.Error();
  } else {
    sim::LineRecording recording = sim::ReadLineRecording(reader);
    error = recording.error;
    if (error.empty()) {
      sim::EventLoop loop;
      sim::LineWaveIn wave(loop, std::move(recording.samples));
      ScanLive(options, loop, wave, printer);
    }
  }
  if (!error.empty()) {
    std::fprintf(stderr, "tonvex-scan: %s: %s\n", options.file.c_str(), error.c_str());
    return 2;
  }
  printer.Finish();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const scan::ParsedOptions parsed = scan::ParseScanOptions(argc, argv);
  return tools::RunTool("tonvex-scan", parsed.error, parsed.options.help, scan::kScanUsage, 1,
                        [&] { return Scan(parsed.options); });
}
