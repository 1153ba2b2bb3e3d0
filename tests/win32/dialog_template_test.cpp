// Two controls of one number in a template leave the second out of reach of
// every lookup by number, so each template the library holds must number its
// controls apart.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "exchange/win/option_ids.h"
#include "groups/win/group_change_ids.h"
#include "groups/win/group_edit_ids.h"
#include "panel/panel_ids.h"

namespace {

// A menu, class or text field: empty, 0xFFFF and a number, or a text.
const WORD* SkipField(const WORD* at) {
  if (*at == 0xFFFF) return at + 2;
  while (*at++ != 0) {
  }
  return at;
}

const WORD* AlignToDword(const WORD* at) {
  return reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
}

}  // namespace

TEST(DialogTemplateTest, EachTemplateNumbersItsControlsApart) {
  HMODULE library = LoadLibraryExA("Quillbook.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, library);
  for (int id : {IDD_PANEL, IDD_GROUP_EDIT, IDD_GROUP_CHANGE, IDD_OPTIONS}) {
    SCOPED_TRACE(id);
    HRSRC found = FindResourceA(library, MAKEINTRESOURCEA(id), RT_DIALOG);
    ASSERT_NE(nullptr, found);
    const BYTE* start = static_cast<const BYTE*>(LockResource(LoadResource(library, found)));
    const BYTE* end = start + SizeofResource(library, found);
    const WORD* at = reinterpret_cast<const WORD*>(start);
    // The extended form starts with its version 1 and 0xFFFF.
    const bool extended = at[0] == 1 && at[1] == 0xFFFF;
    DWORD style = *reinterpret_cast<const DWORD*>(at + (extended ? 6 : 0));
    WORD count = at[extended ? 8 : 4];
    at = SkipField(SkipField(SkipField(at + (extended ? 13 : 9))));
    if (style & DS_SETFONT) at = SkipField(at + (extended ? 3 : 1));

    std::set<DWORD> numbers;
    for (WORD n = 0; n < count; ++n) {
      at = AlignToDword(at);
      ASSERT_LT(reinterpret_cast<const BYTE*>(at), end);
      DWORD number = extended ? *reinterpret_cast<const DWORD*>(at + 10) : at[8];
      at = SkipField(SkipField(at + (extended ? 12 : 9)));
      at = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(at + 1) + *at);
      // Captions share the number that no lookup asks for.
      if (LOWORD(number) == 0xFFFF) continue;
      EXPECT_TRUE(numbers.insert(number).second) << "control " << number;
    }
    EXPECT_EQ(end, reinterpret_cast<const BYTE*>(at)) << "template read to its end";
  }
  FreeLibrary(library);
}
