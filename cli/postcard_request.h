// The arguments of `quillbook postcard`, taken wherever they stand on the
// command line, as the other commands' options are.
#pragma once

#include <string>

#include "postcard/postcard_layout.h"
#include "postcard/vertical_text.h"

struct PostcardRequest {
  const char* ids = nullptr;     // LIST: IDs separated by commas
  const char* group = nullptr;   // UTF-8
  const char* sender = nullptr;  // an ID; the owner's card when none
  bool noSender = false;
  const char* honorific = nullptr;  // UTF-8; 様 when none
  bool boxes = false;
  double offsetX = 0.0;  // millimetres, for a printer's margin
  double offsetY = 0.0;
  double senderBoxesLeft = kSenderBoxesLeftMm;
  double senderBoxesTop = kSenderBoxesTopMm;
  const char* font = nullptr;       // a face that fontconfig knows
  const char* pngFolder = nullptr;  // one preview a page there
  NumberJoin join = NumberJoin::kLongVowel;
  const char* file = nullptr;  // FILE.pdf
  bool optionGiven = false;    // any option of postcard's own
};

// Takes argv[i], and its value after it, when it is an option of postcard's
// own: returns 1 (i then at the value), 0 when it is none, -1 when its value
// is wrong, with problem saying why.
int TakePostcardOption(int argc, char** argv, int& i, PostcardRequest& request,
                       std::string& problem);
