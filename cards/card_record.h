// One address card as fixed-width code page 932 fields, and the table of
// 501 card slots. Slot 0 is the owner's card; a card's ID is its slot index.
#pragma once

#include <stdint.h>

// The tree view's item handle, opaque here; the Windows code stores its
// HTREEITEM values in it.
typedef struct TreeItemTag* TreeItemHandle;

// How many telephone numbers and mail addresses a card holds.
constexpr int kPhoneSlots = 3;
constexpr int kMailSlots = 3;

struct PhoneEntry {
  int32_t type;  // 0 to 4 when set by the form; files may hold any value
  char number[24];
};

struct MailEntry {
  int32_t type;  // 0 to 2 when set by the form
  char address[256];
};

struct CardRecord {
  char name[64];  // empty marks a free slot
  char reading[64];
  char group[64];
  char postalCode[16];
  char address[512];
  PhoneEntry phones[kPhoneSlots];
  MailEntry mails[kMailSlots];
  char memo[512];
  char created[32];
  char lastModified[32];
  int32_t modifyCount;
  TreeItemHandle treeItem;  // valid only while the panel runs; never stored
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(CardRecord) == 2168, "the card record is shared with its peers byte for byte");
#endif

constexpr int kCardSlots = 501;
constexpr int kMaxCards = 500;  // owner card included
constexpr int kOwnerSlot = 0;

// The count equals the used slots at all times, and every walk over the
// table relies on it: only the operations below and the card file's reader
// change it.
struct CardTable {
  int32_t m_nCardCount;  // used slots, the owner card included
  CardRecord m_cards[kCardSlots];

  void Clear();
  // Puts the default owner card in slot 0 of a cleared table.
  void MakeDefaultOwnerCard();
  // Puts card into slot, over the card it may hold.
  void StoreCard(int slot, const CardRecord& card);
  // Clears slot to zero bytes, which frees it.
  void RemoveCard(int slot);
  bool IsUsed(int slot) const { return m_cards[slot].name[0] != '\0'; }
  // The used slot whose tree item is item, or -1.
  int SlotOfItem(TreeItemHandle item) const;
  // The lowest free slot below the card count, else the card count itself.
  int FirstFreeId() const;
};
