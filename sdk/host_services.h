// What the host offers its tools: settings, the data directory and the clock.
#pragma once

// Every setting and every notification of the address book uses this number.
constexpr int kToolNumber = 21;

// The size of the buffer that ReadSetting fills.
constexpr int kSettingValueSize = 260;

class HostServices {
 public:
  // Writes the setting's value, NUL-terminated, into value (260 bytes); a
  // setting never written reads as text that converts to 0.
  virtual int ReadSetting(int section, const char* key, char* value) = 0;
  virtual int WriteSetting(int section, const char* key, const char* value) = 0;
  // The directory that holds the tools' data folders, without a trailing
  // backslash; called with 1 and 0.
  virtual const char* GetDataDirectory(int kind, int flags) = 0;
  // One field of the local time: 0 year, 1 month, 2 day, 3 hour, 4 minute.
  virtual int GetNowField(int field, int reserved1, int reserved2) = 0;

 protected:
  ~HostServices() = default;
};
