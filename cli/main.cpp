// quillbook: the address book from the shell.
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "cards/book_paths.h"
#include "cards/card_file.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/exchange_request.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/messages.h"
#include "cli/postcard_command.h"
#include "cli/search_command.h"
#include "cli/show_command.h"
#include "cli/usage.h"
#include "groups/group_list.h"
#include "search/card_search.h"
#include "text/search_fold.h"

namespace {

class SystemClock : public TimeSource {
 public:
  SystemClock() {
    time_t now = time(nullptr);
    localtime_r(&now, &m_now);
  }
  int NowField(int field) override {
    switch (field) {
      case 0:
        return m_now.tm_year + 1900;
      case 1:
        return m_now.tm_mon + 1;
      case 2:
        return m_now.tm_mday;
      case 3:
        return m_now.tm_hour;
      default:
        return m_now.tm_min;
    }
  }

 private:
  struct tm m_now {};
};

std::string DefaultDataDirectory() {
  if (const char* env = getenv("QUILLBOOK_DATA"); env != nullptr && env[0] != '\0') return env;
  std::string prefix;
  const char* home = getenv("HOME");
  if (const char* wine = getenv("WINEPREFIX"); wine != nullptr && wine[0] != '\0') {
    prefix = wine;
  } else {
    prefix = std::string(home ? home : "") + "/.wine";
  }
  const char* user = getenv("USER");
  if (user == nullptr || user[0] == '\0') {
    const passwd* pw = getpwuid(getuid());
    user = pw ? pw->pw_name : "root";
  }
  return prefix + "/drive_c/users/" + user + "/AppData/Roaming/Scribella";
}

int Usage(const char* problem) { return Fail(kExitBadArguments, "%s", problem); }

CardTable g_table;  // over a megabyte: not for the stack

// Loads the card file as the panel would; a book never written is the
// default owner card alone, a file that is there but cannot be read a
// failure. Returns -1 when loaded, else the exit status.
int LoadCards(const char* dataDirectory) {
  char path[kPathBufferSize];
  if (!BuildBookFilePath(path, dataDirectory, kCardFileName)) {
    return Fail(kExitBadArguments, "the data folder's path is too long: %s", dataDirectory);
  }
  int status = CheckReadableOrMissing(path, "card file");
  if (status >= 0) return status;
  SystemClock clock;
  LoadCardFile(path, g_table, clock);
  return -1;
}

int ListCards(const char* dataDirectory, Output& out) {
  int status = LoadCards(dataDirectory);
  if (status >= 0) return status;
  const CardTable& table = g_table;
  char line[kMaxCardLineBytes + 1];
  int visited = 0;
  for (int slot = 0; slot < kCardSlots && visited < table.m_nCardCount; ++slot) {
    if (!table.IsUsed(slot)) continue;
    ++visited;
    int length = FormatCardLine(table.m_cards[slot], line);
    printf("%d\t", slot);
    out.Write(line, static_cast<size_t>(length));
  }
  return 0;
}

bool PrintGroup(const char* name, void* context) {
  Output& out = *static_cast<Output*>(context);
  out.Write(name);
  out.Write("\n", 1);
  return true;
}

int ListGroups(const char* dataDirectory, Output& out) {
  char path[kPathBufferSize];
  BuildBookFilePath(path, dataDirectory, kGroupFileName);
  int status = CheckReadableOrMissing(path, "group file");
  if (status >= 0) return status;
  ReadGroupNames(path, PrintGroup, &out);
  return 0;
}

int RunCommandLine(int argc, char** argv) {
  std::string dataDirectory;
  bool haveData = false;
  bool raw = false;
  const char* command = nullptr;
  const char* searchText = nullptr;
  bool phone = false;
  bool fold = false;
  unsigned foldFlags = 0;
  bool everyLine = false;
  bool optionsEnded = false;
  ExchangeRequest exchange;
  bool exchangeOption = false;
  PostcardRequest postcard;
  std::string problem;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || strcmp(arg, "-") == 0) {
      if (command == nullptr) {
        command = arg;
      } else if ((strcmp(command, "search") == 0 || strcmp(command, "show") == 0) &&
                 searchText == nullptr) {
        searchText = arg;
      } else if ((strcmp(command, "export") == 0 || strcmp(command, "import") == 0) &&
                 exchange.file == nullptr) {
        exchange.file = arg;
      } else if (strcmp(command, "postcard") == 0 && postcard.file == nullptr) {
        postcard.file = arg;
      } else {
        return Usage((std::string("unexpected argument ") + arg).c_str());
      }
    } else if (strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      fputs(Utf8Of(kUsage).c_str(), stdout);
      return kExitDone;
    } else if (strcmp(arg, "--data") == 0) {
      if (i + 1 >= argc) return Usage("--data needs a folder");
      dataDirectory = argv[++i];
      haveData = true;
    } else if (strncmp(arg, "--data=", 7) == 0) {
      dataDirectory = arg + 7;
      haveData = true;
    } else if (strcmp(arg, "--cp932") == 0) {
      raw = true;
    } else if (strcmp(arg, "--phone") == 0) {
      phone = true;
    } else if (strcmp(arg, "--fold") == 0) {
      fold = true;
    } else if (strcmp(arg, "--fold-voicing") == 0) {
      fold = true;
      foldFlags = kFoldDropVoicing;
    } else if (strcmp(arg, "--every-line") == 0) {
      everyLine = true;
    } else if (strcmp(arg, "--columns") == 0) {
      if (i + 1 >= argc) return Usage("--columns needs a LIST");
      exchange.columns = argv[++i];
      exchangeOption = true;
    } else if (strncmp(arg, "--columns=", 10) == 0) {
      exchange.columns = arg + 10;
      exchangeOption = true;
    } else if (strcmp(arg, "--comma") == 0 || strcmp(arg, "--vcard") == 0) {
      ExchangeFormat format = arg[2] == 'c' ? ExchangeFormat::kComma : ExchangeFormat::kVcard;
      if (exchange.format != ExchangeFormat::kTab && exchange.format != format) {
        return Usage("--comma and --vcard are two formats: give one");
      }
      exchange.format = format;
      exchangeOption = true;
    } else if (strcmp(arg, "--no-heading") == 0) {
      exchange.noHeading = exchangeOption = true;
    } else if (strcmp(arg, "--dry-run") == 0) {
      exchange.dryRun = exchangeOption = true;
    } else if (strcmp(arg, "--force") == 0) {
      exchange.force = exchangeOption = true;
    } else if (strcmp(arg, "--narrow-readings") == 0) {
      exchange.narrowReadings = exchangeOption = true;
    } else if (strcmp(arg, "--no-bom") == 0) {
      exchange.noBom = exchangeOption = true;
    } else if (strcmp(arg, "--encoding") == 0 || strncmp(arg, "--encoding=", 11) == 0) {
      const char* name = arg[10] == '=' ? arg + 11 : (i + 1 < argc ? argv[++i] : nullptr);
      if (name == nullptr) return Usage("--encoding needs auto, cp932 or utf-8");
      if (!ParseEncoding(name, exchange.encoding)) {
        return Usage((std::string("--encoding takes auto, cp932 or utf-8, not ") + name).c_str());
      }
      exchange.encodingGiven = exchangeOption = true;
    } else if (int taken = TakePostcardOption(argc, argv, i, postcard, problem)) {
      if (taken < 0) return Usage(problem.c_str());
    } else {
      return Usage((std::string("unknown option ") + arg).c_str());
    }
  }
  if (command == nullptr) return Usage("no command given");
  if ((phone || fold || everyLine) && strcmp(command, "search") != 0) {
    return Usage("--phone, --fold, --fold-voicing and --every-line belong to search");
  }
  if (phone && fold) return Usage("--phone and --fold are two searches: give one");
  bool exchanging = strcmp(command, "export") == 0 || strcmp(command, "import") == 0;
  if (exchangeOption && !exchanging) {
    return Usage(
        "--columns, --comma, --no-heading, --encoding, --no-bom, --vcard, --narrow-readings, "
        "--dry-run and --force belong to export and import");
  }
  if (postcard.optionGiven && strcmp(command, "postcard") != 0) {
    return Usage(
        "--ids, --group, --sender, --no-sender, --honorific, --boxes, --offset, --sender-boxes, "
        "--font, --png and --hyphen belong to postcard");
  }
  static const char* const kCommands[] = {"list",   "show",   "groups",  "search",
                                          "export", "import", "postcard"};
  bool known = false;
  for (const char* name : kCommands) known = known || strcmp(command, name) == 0;
  if (!known) return Usage((std::string("unknown command ") + command).c_str());
  if (!haveData) dataDirectory = DefaultDataDirectory();
  int status = CheckDataFolder(dataDirectory.c_str());
  if (status >= 0) return status;
  if (strcmp(command, "export") == 0) return ExportCommand(dataDirectory.c_str(), exchange);
  if (strcmp(command, "import") == 0) return ImportCommand(dataDirectory.c_str(), exchange);
  Output out(raw);
  if (strcmp(command, "list") == 0) return ListCards(dataDirectory.c_str(), out);
  if (strcmp(command, "groups") == 0) return ListGroups(dataDirectory.c_str(), out);
  if (strcmp(command, "show") == 0) {
    if (searchText == nullptr) return Usage("show needs an ID");
    status = LoadCards(dataDirectory.c_str());
    return status >= 0 ? status : ShowCard(g_table, searchText, out);
  }
  if (strcmp(command, "postcard") == 0) {
    status = LoadCards(dataDirectory.c_str());
    return status >= 0 ? status : PostcardCommand(g_table, dataDirectory.c_str(), postcard);
  }
  if (strcmp(command, "search") == 0) {
    if (searchText == nullptr) return Usage("search needs a TEXT");
    std::string text;
    if (!Utf8ToCp932(searchText, text)) {
      return Fail(kExitBadArguments,
                  "the search text is not UTF-8, or has a character that code page 932 cannot "
                  "hold");
    }
    int mode = phone ? kPhoneSearch : fold ? kFoldSearch : kTextSearch;
    return SearchCards(dataDirectory.c_str(), mode, foldFlags, text.c_str(), everyLine, out);
  }
  return Usage((std::string("unknown command ") + command).c_str());
}

// Whatever a command printed must have reached standard output: a full
// disk or a closed pipe is a failure, not a listing. A command that failed
// has said why already.
int CheckOutput(int status) {
  if (fflush(stdout) == 0 && !ferror(stdout)) return status;
  if (status == kExitFailed || status == kExitBadArguments) return status;
  return Fail(kExitFailed, "cannot write to standard output: %s", Reason());
}

}  // namespace

int main(int argc, char** argv) { return CheckOutput(RunCommandLine(argc, argv)); }
