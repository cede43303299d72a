#include "world.h"

#include "back1_picture.h"
#include "quoting.h"

namespace sim {

World::World(std::ostream& transcriptOut)
    : transcript_(loop_, transcriptOut),
      files_(transcript_),
      serial_(loop_, transcript_),
      messenger_(loop_, transcript_),
      desktop_(loop_, transcript_, gate_, files_, messenger_),
      timer1_("Timer1", loop_, transcript_, gate_),
      timer2_("Timer2", loop_, transcript_, gate_) {
  const std::vector<uint8_t> picture = dorvane::MakeBack1Jpeg();
  files_.Put("back1.jpg", std::string(picture.begin(), picture.end()));
}

World::~World() {
  // The form's controls go before the world they live in.
  form_.reset();
  detector_.reset();
}

void World::Start() {
  detector_ = std::make_unique<SimToneDetector>(loop_, transcript_, gate_, line_,
                                                dorvane::Dorvane_frm::kTonvexDesign);
  form_ = std::make_unique<dorvane::Dorvane_frm>(dorvane::FormControls{
      desktop_, desktop_, files_, messenger_, serial_, *detector_, timer1_, timer2_});
  dorvane::Dorvane_frm& form = *form_;
  detector_->SetOnDtmfHit(
      [&form](int16_t keyCode, int16_t level, int32_t sensitivity, int32_t unusedSize) {
        form.Tonvex_DtmfHit(keyCode, level, sensitivity, unusedSize);
      });
  serial_.SetOnComm([this, &form] { gate_.Deliver([&form] { form.MSComm1_OnComm(); }); });
  messenger_.SetOnWindowCreated([this, &form](std::shared_ptr<dorvane::MessengerWindow> window) {
    gate_.Deliver([&form, &window] { form.MsgrUIA_OnIMWindowCreated(window); });
  });
  gate_.Start();
  Act([&form] { form.Form_Load(); });
}

void World::Act(const std::function<void()>& handler) {
  gate_.Deliver(handler);
  ReleaseEndedProgram();
  RunUntil(loop_.Now());
}

void World::Hear(char symbol) {
  if (detector_) {
    detector_->Hear(symbol);
  } else {
    transcript_.Add("tonvex",
                    "DtmfHit " + Quote(std::string(1, symbol)) + " dropped (search stopped)");
  }
  ReleaseEndedProgram();
  RunUntil(loop_.Now());
}

void World::RunUntil(Micros until) {
  while (loop_.NextDue() <= until) {
    loop_.RunOne();
    ReleaseEndedProgram();
  }
  loop_.RunUntil(until);
}

void World::ReleaseEndedProgram() {
  if (!gate_.Ended() || !detector_) return;
  timer1_.SetHandler(nullptr);
  timer2_.SetHandler(nullptr);
  detector_->Destroy();
}

std::string World::SearchFlagMismatch() {
  if (!gate_.Running() || !detector_) return "";
  // A disabled control stops its search without the program's flip.
  if (!detector_->Enabled()) return "";
  const bool flag = form_->State().DtmfSearchOn == 1;
  if (flag == detector_->DtmfSearchRunning()) return "";
  return std::string("DtmfSearchOn is ") + (flag ? "1" : "0") + " but the control's search " +
         (flag ? "is stopped" : "runs");
}

}  // namespace sim
