// The automation objects the bridge holds, each a thin view of the call model.
#pragma once

#include <memory>

#include "messenger.h"

namespace dorvane::sip {

class SipCallModel;

// model is not owned and outlives the objects.
std::shared_ptr<Messenger> NewSipMessenger(SipCallModel& model);
std::shared_ptr<MessengerWindow> NewSipWindow(SipCallModel& model, int number);

}  // namespace dorvane::sip
