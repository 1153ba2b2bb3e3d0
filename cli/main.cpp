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
#include "cli/exchange_request.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/input.h"
#include "cli/output.h"
#include "cli/search_command.h"
#include "groups/group_list.h"

namespace {

const char kUsage[] =
    "usage: quillbook [--data DIR] [--cp932] COMMAND\n"
    "       quillbook [--data DIR] [--cp932] search [--phone] [--every-line] TEXT\n"
    "       quillbook [--data DIR] export --columns LIST [--comma] [--no-heading] FILE\n"
    "       quillbook [--data DIR] import --columns LIST [--comma] [--no-heading]\n"
    "                 [--dry-run] [--force] FILE\n"
    "\n"
    "Reads the address book in DIR/Quillbook (Quillbook.dat and Group.dat).\n"
    "\n"
    "commands:\n"
    "  list     each card in ID order: its ID, a tab, and its 21 fields as\n"
    "           the card file holds them\n"
    "  groups   the group names, one a line\n"
    "  search   the host's search for TEXT (UTF-8): for each matching card\n"
    "           NAME (READING) [ GROUP ] : \"FIELD\", FIELD being the first\n"
    "           field that holds one of TEXT's blank-separated words\n"
    "  export   writes each card of the card file as one line of FILE (- for\n"
    "           standard output), in code page 932 with CR LF line ends, as the\n"
    "           settings screen does\n"
    "  import   appends one card for each line of FILE to the card file, as the\n"
    "           settings screen does, and prints how many it added; refused\n"
    "           while a panel holds the book\n"
    "\n"
    "options (before or after the command):\n"
    "  --data DIR  the host's data directory, the folder that holds Quillbook;\n"
    "              default $QUILLBOOK_DATA, else the host stand-in's folder\n"
    "              under Wine: ${WINEPREFIX:-~/.wine}/drive_c/users/$USER/\n"
    "              AppData/Roaming/Scribella\n"
    "  --cp932     print code page 932 bytes as stored, not UTF-8\n"
    "  --help      this text\n"
    "\n"
    "search options:\n"
    "  --phone       compare TEXT as a telephone number with the postal code\n"
    "                and the three numbers, full-width digits narrowed and\n"
    "                - ( ) P left out\n"
    "  --every-line  one line for each card, empty when it does not match\n"
    "  --            what follows is TEXT, even when it begins with -\n"
    "\n"
    "export and import options:\n"
    "  --columns LIST  the file's columns in order, by the names of the card\n"
    "                  file's heading (名前, 読み, 電話番号1, ...), comma-separated;\n"
    "                  an empty name is a blank column: --columns 名前,,電話番号1\n"
    "  --comma         comma-separated, quoted where needed (default: tabs)\n"
    "  --no-heading    no heading line (default: the export writes one, the\n"
    "                  import skips the first line)\n"
    "  --dry-run       import nothing; report how many cards would be added and\n"
    "                  each line's problems\n"
    "  --force         import although the mark of a running panel is there (left\n"
    "                  by a panel that crashed)\n"
    "\n"
    "exit status: 0 done, 1 failed (with its message), 2 bad arguments\n";

class SystemClock : public TimeSource {
 public:
  SystemClock() {
    time_t now = time(nullptr);
    localtime_r(&now, &tm_);
  }
  int NowField(int field) override {
    switch (field) {
      case 0:
        return tm_.tm_year + 1900;
      case 1:
        return tm_.tm_mon + 1;
      case 2:
        return tm_.tm_mday;
      case 3:
        return tm_.tm_hour;
      default:
        return tm_.tm_min;
    }
  }

 private:
  struct tm tm_ {};
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

int Usage(const char* problem) {
  if (problem) fprintf(stderr, "quillbook: %s\n", problem);
  fputs(kUsage, stderr);
  return 2;
}

int ListCards(const char* dataDirectory, Output& out) {
  char path[kPathBufferSize];
  BuildBookFilePath(path, dataDirectory, kCardFileName);
  static CardTable table;  // over a megabyte: not for the stack
  SystemClock clock;
  LoadCardFile(path, table, clock);
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
  ReadGroupNames(path, PrintGroup, &out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dataDirectory;
  bool haveData = false;
  bool raw = false;
  const char* command = nullptr;
  const char* searchText = nullptr;
  bool phone = false;
  bool everyLine = false;
  bool optionsEnded = false;
  ExchangeRequest exchange;
  bool exchangeOption = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (optionsEnded || arg[0] != '-' || strcmp(arg, "-") == 0) {
      if (command == nullptr) {
        command = arg;
      } else if (strcmp(command, "search") == 0 && searchText == nullptr) {
        searchText = arg;
      } else if ((strcmp(command, "export") == 0 || strcmp(command, "import") == 0) &&
                 exchange.file == nullptr) {
        exchange.file = arg;
      } else {
        return Usage((std::string("unexpected argument ") + arg).c_str());
      }
    } else if (strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
      fputs(kUsage, stdout);
      return 0;
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
    } else if (strcmp(arg, "--every-line") == 0) {
      everyLine = true;
    } else if (strcmp(arg, "--columns") == 0) {
      if (i + 1 >= argc) return Usage("--columns needs a LIST");
      exchange.columns = argv[++i];
      exchangeOption = true;
    } else if (strncmp(arg, "--columns=", 10) == 0) {
      exchange.columns = arg + 10;
      exchangeOption = true;
    } else if (strcmp(arg, "--comma") == 0) {
      exchange.comma = exchangeOption = true;
    } else if (strcmp(arg, "--no-heading") == 0) {
      exchange.noHeading = exchangeOption = true;
    } else if (strcmp(arg, "--dry-run") == 0) {
      exchange.dryRun = exchangeOption = true;
    } else if (strcmp(arg, "--force") == 0) {
      exchange.force = exchangeOption = true;
    } else {
      return Usage((std::string("unknown option ") + arg).c_str());
    }
  }
  if (command == nullptr) return Usage("no command given");
  if ((phone || everyLine) && strcmp(command, "search") != 0) {
    return Usage("--phone and --every-line belong to search");
  }
  bool exchanging = strcmp(command, "export") == 0 || strcmp(command, "import") == 0;
  if (exchangeOption && !exchanging) {
    return Usage(
        "--columns, --comma, --no-heading, --dry-run and --force belong to export and "
        "import");
  }
  if (!haveData) dataDirectory = DefaultDataDirectory();
  if (strcmp(command, "export") == 0) return ExportCommand(dataDirectory.c_str(), exchange, raw);
  if (strcmp(command, "import") == 0) return ImportCommand(dataDirectory.c_str(), exchange, raw);
  Output out(raw);
  if (strcmp(command, "list") == 0) return ListCards(dataDirectory.c_str(), out);
  if (strcmp(command, "groups") == 0) return ListGroups(dataDirectory.c_str(), out);
  if (strcmp(command, "search") == 0) {
    if (searchText == nullptr) return Usage("search needs a TEXT");
    std::string text;
    if (!Utf8ToCp932(searchText, text)) {
      fprintf(stderr,
              "quillbook: the search text is not UTF-8, or has a character that code page 932 "
              "cannot hold\n");
      return 2;
    }
    return SearchCards(dataDirectory.c_str(), phone, text.c_str(), everyLine, out);
  }
  return Usage((std::string("unknown command ") + command).c_str());
}
