// The host's clock as the time source of card time stamps.
#pragma once

#include "cards/card_line.h"
#include "sdk/host_services.h"

class HostClock : public TimeSource {
 public:
  explicit HostClock(HostServices* host) : host_(host) {}
  int NowField(int field) override { return host_ ? host_->GetNowField(field, 0, 0) : 0; }

 private:
  HostServices* host_;
};
