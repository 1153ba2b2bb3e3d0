// The host's clock as the time source of card time stamps.
#pragma once

#include "cards/card_line.h"
#include "sdk/host_services.h"

class HostClock : public TimeSource {
 public:
  explicit HostClock(HostServices* host) : m_pHost(host) {}
  int NowField(int field) override { return m_pHost ? m_pHost->GetNowField(field, 0, 0) : 0; }

 private:
  HostServices* m_pHost;
};
