#include "host/ini_host_services.h"

#include <shlobj.h>
#include <stdio.h>

IniHostServices::IniHostServices(const char* dataDirectory) {
  m_szDirectory[0] = '\0';
  if (dataDirectory != nullptr && dataDirectory[0] != '\0') {
    snprintf(m_szDirectory, sizeof m_szDirectory, "%s", dataDirectory);
  } else {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    snprintf(m_szDirectory, sizeof m_szDirectory, "%s\\Scribella", appData);
  }
  size_t n = strlen(m_szDirectory);
  while (n > 3 && (m_szDirectory[n - 1] == '\\' || m_szDirectory[n - 1] == '/')) {
    m_szDirectory[--n] = '\0';
  }
  CreateDirectoryA(m_szDirectory, nullptr);
  snprintf(m_szIniPath, sizeof m_szIniPath, "%s\\Scribella.ini", m_szDirectory);
}

int IniHostServices::ReadSetting(int section, const char* key, char* value) {
  char name[16];
  snprintf(name, sizeof name, "%d", section);
  GetPrivateProfileStringA(name, key, "", value, kSettingValueSize, m_szIniPath);
  return 1;
}

int IniHostServices::WriteSetting(int section, const char* key, const char* value) {
  char name[16];
  snprintf(name, sizeof name, "%d", section);
  return WritePrivateProfileStringA(name, key, value, m_szIniPath) ? 1 : 0;
}

const char* IniHostServices::GetDataDirectory(int, int) { return m_szDirectory; }

int IniHostServices::GetNowField(int field, int, int) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  switch (field) {
    case 0:
      return now.wYear;
    case 1:
      return now.wMonth;
    case 2:
      return now.wDay;
    case 3:
      return now.wHour;
    default:
      return now.wMinute;
  }
}
