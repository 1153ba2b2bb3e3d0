#include "cards/card_file.h"

#include <stdio.h>
#include <string.h>

#include "cards/safe_file.h"
#include "text/byte_text.h"

void MakeDefaultOwnerCard(CardTable& table) {
  CardRecord& owner = table.m_cards[kOwnerSlot];
  memset(&owner, 0, sizeof owner);
  CopyCutString(owner.name, "ユーザー");
  CopyCutString(owner.reading, "ﾕｰｻﾞｰ");
  CopyCutString(owner.memo,
                "これは、アドレス帳起動時に表示されるユーザー用のカードです。"
                "自分のデータを入力して利用しましょう。");
  table.m_nCardCount = 1;
}

int LoadCardFile(const char* path, CardTable& table, TimeSource& clock) {
  table.Clear();
  FILE* file = (path != nullptr && path[0] != '\0') ? fopen(path, "rb") : nullptr;
  if (file != nullptr) {
    CardLineReader reader(file);
    LoadTime now(clock);
    if (reader.Next() >= 0) {  // the heading line
      while (table.m_nCardCount < kMaxCards) {
        int length = reader.Next();
        if (length < 0) break;
        if (length < kMinCardLineBytes) continue;
        ParseCardLine(reader.Text(), length, table.m_cards[table.m_nCardCount], now);
        ++table.m_nCardCount;
      }
    }
    fclose(file);
  }
  if (table.m_nCardCount > 0) return 1;
  MakeDefaultOwnerCard(table);
  return 0;
}

int SaveCardFile(const char* path, const CardTable& table) {
  SafeFileWriter out(path);
  if (!out.IsOpen()) return 0;
  out.WriteLine(kCardFileHeading);
  char line[kMaxCardLineBytes + 1];
  int written = 0;
  for (int slot = 0; slot < kCardSlots && written < table.m_nCardCount; ++slot) {
    if (!table.IsUsed(slot)) continue;
    int length = FormatCardLine(table.m_cards[slot], line);
    out.Write(line, static_cast<size_t>(length - 1));
    out.Write("\r\n", 2);
    ++written;
  }
  return out.Commit() ? 1 : 0;
}
