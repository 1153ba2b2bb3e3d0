// The host stand-in's services: settings in an INI file in the data
// directory, the data directory itself, and the local clock.
#pragma once

#include <windows.h>

#include "sdk/host_services.h"

class IniHostServices : public HostServices {
 public:
  // dataDirectory null: %APPDATA%\Scribella. The folder is created.
  explicit IniHostServices(const char* dataDirectory);
  virtual ~IniHostServices() = default;

  int ReadSetting(int section, const char* key, char* value) override;
  int WriteSetting(int section, const char* key, const char* value) override;
  const char* GetDataDirectory(int kind, int flags) override;
  int GetNowField(int field, int reserved1, int reserved2) override;

 private:
  char m_szDirectory[MAX_PATH];
  char m_szIniPath[MAX_PATH];
};
