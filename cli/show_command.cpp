#include "cli/show_command.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "cli/messages.h"

namespace {

constexpr int kPhoneTypeCount = 5;
constexpr int kMailTypeCount = 3;

// The phone and mail type codes by name, as the form's icons show them;
// nullptr for a code outside the icons' tables.
const char* PhoneTypeName(int32_t type) {
  static const char* const kNames[kPhoneTypeCount] = {"home", "mobile", "work", "pager", "fax"};
  return type >= 0 && type < kPhoneTypeCount ? kNames[type] : nullptr;
}

const char* MailTypeName(int32_t type) {
  static const char* const kNames[kMailTypeCount] = {"home", "mobile", "work"};
  return type >= 0 && type < kMailTypeCount ? kNames[type] : nullptr;
}

void Line(Output& out, const char* label, const char* cp932, const char* type = nullptr) {
  if (cp932[0] == '\0') return;
  printf("%-12s ", label);
  out.Write(cp932);
  if (type != nullptr) printf(" (%s)", type);
  fputc('\n', stdout);
}

// A code outside the icons' tables is shown as the number the file holds.
const char* TypeText(const char* name, int32_t type, char (&scratch)[24]) {
  if (name != nullptr) return name;
  snprintf(scratch, sizeof scratch, "type %d", type);
  return scratch;
}

}  // namespace

bool ParseCardId(const char* text, int& id) {
  char* end = nullptr;
  long value = strtol(text, &end, 10);
  if (text[0] < '0' || text[0] > '9' || *end != '\0' || value > kMaxCards) return false;
  id = static_cast<int>(value);
  return true;
}

int ShowCard(const CardTable& table, const char* idText, Output& out) {
  int id = 0;
  if (!ParseCardId(idText, id)) {
    return Fail(kExitBadArguments, "show needs an ID from 0 to 500, as list prints it: %s", idText);
  }
  if (!table.IsUsed(id)) return Fail(kExitFailed, "no card has the ID %d", id);
  const CardRecord& card = table.m_cards[id];
  printf("%-12s %d%s\n", "ID", id, id == kOwnerSlot ? " (the owner's card)" : "");
  Line(out, "Name", card.name);
  Line(out, "Reading", card.reading);
  Line(out, "Group", card.group);
  Line(out, "Postal code", card.postalCode);
  Line(out, "Address", card.address);
  char label[16];
  char scratch[24];
  for (int i = 0; i < kPhoneSlots; ++i) {
    snprintf(label, sizeof label, "Phone %d", i + 1);
    const PhoneEntry& phone = card.phones[i];
    Line(out, label, phone.number, TypeText(PhoneTypeName(phone.type), phone.type, scratch));
  }
  for (int i = 0; i < kMailSlots; ++i) {
    snprintf(label, sizeof label, "Mail %d", i + 1);
    const MailEntry& mail = card.mails[i];
    Line(out, label, mail.address, TypeText(MailTypeName(mail.type), mail.type, scratch));
  }
  Line(out, "Memo", card.memo);
  Line(out, "Created", card.created);
  Line(out, "Modified", card.lastModified);
  printf("%-12s %d\n", "Saves", card.modifyCount);
  return kExitDone;
}
