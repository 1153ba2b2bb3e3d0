#include "cli/postcard_request.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Arguments and messages are UTF-8, while the literals of this tree are code
// page 932.
constexpr char kLongVowelUtf8[] = "\xE3\x83\xBC";  // ー
constexpr char kNoUtf8[] = "\xE3\x81\xAE";         // の

// The value of "--name VALUE" or "--name=VALUE"; null when arg is not the
// option. missing is set when the value is not there.
const char* OptionValue(int argc, char** argv, int& i, const char* name, bool& missing) {
  const char* arg = argv[i];
  size_t n = strlen(name);
  if (strncmp(arg, name, n) != 0) return nullptr;
  if (arg[n] == '=') return arg + n + 1;
  if (arg[n] != '\0') return nullptr;
  if (i + 1 >= argc) {
    missing = true;
    return "";
  }
  return argv[++i];
}

// "X,Y" in millimetres, each within limit of zero.
bool ParsePair(const char* text, double limit, double& x, double& y) {
  char* end = nullptr;
  x = strtod(text, &end);
  if (end == text || *end != ',') return false;
  const char* second = end + 1;
  y = strtod(second, &end);
  return end != second && *end == '\0' && isfinite(x) && isfinite(y) && fabs(x) <= limit &&
         fabs(y) <= limit;
}

}  // namespace

int TakePostcardOption(int argc, char** argv, int& i, PostcardRequest& request,
                       std::string& problem) {
  const char* arg = argv[i];
  bool missing = false;
  const char* value = nullptr;
  if (strcmp(arg, "--boxes") == 0) {
    request.boxes = true;
  } else if (strcmp(arg, "--no-sender") == 0) {
    request.noSender = true;
  } else if ((value = OptionValue(argc, argv, i, "--ids", missing))) {
    request.ids = value;
  } else if ((value = OptionValue(argc, argv, i, "--group", missing))) {
    request.group = value;
  } else if ((value = OptionValue(argc, argv, i, "--sender", missing))) {
    request.sender = value;
  } else if ((value = OptionValue(argc, argv, i, "--honorific", missing))) {
    request.honorific = value;
  } else if ((value = OptionValue(argc, argv, i, "--font", missing))) {
    request.font = value;
  } else if ((value = OptionValue(argc, argv, i, "--png", missing))) {
    request.pngFolder = value;
  } else if ((value = OptionValue(argc, argv, i, "--hyphen", missing))) {
    if (strcmp(value, kLongVowelUtf8) == 0) {
      request.join = NumberJoin::kLongVowel;
    } else if (strcmp(value, kNoUtf8) == 0) {
      request.join = NumberJoin::kNo;
    } else if (!missing) {
      problem =
          std::string("--hyphen takes ") + kLongVowelUtf8 + " or " + kNoUtf8 + ", not " + value;
      return -1;
    }
  } else if ((value = OptionValue(argc, argv, i, "--offset", missing))) {
    // A printer's margin is a few millimetres; more is a slip of the unit.
    if (!missing && !ParsePair(value, 20.0, request.offsetX, request.offsetY)) {
      problem = std::string("--offset takes X,Y in millimetres, each from -20 to 20, not ") + value;
      return -1;
    }
  } else if ((value = OptionValue(argc, argv, i, "--sender-boxes", missing))) {
    double& left = request.senderBoxesLeft;
    double& top = request.senderBoxesTop;
    if (!missing && (!ParsePair(value, kCardHeightMm, left, top) || left < 0 ||
                     left + SenderBoxesWidth() > kCardWidthMm || top < kStampArea.Bottom() ||
                     top + SenderPostalBox(0, 0, 0).height > kCardHeightMm)) {
      problem = std::string(
                    "--sender-boxes takes the first box's left and top edges X,Y in "
                    "millimetres, the boxes on the card and below the stamp area, not ") +
                value;
      return -1;
    }
  } else {
    return 0;
  }
  if (missing) {
    problem = std::string(arg) + " needs a value";
    return -1;
  }
  request.optionGiven = true;
  return 1;
}
