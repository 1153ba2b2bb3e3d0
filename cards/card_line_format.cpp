#include <stdio.h>

#include "cards/card_line.h"
#include "cards/line_field.h"

const char kCardFileHeading[] =
    "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t"
    "電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\t"
    "メモ\t作成日\t最終更新日\t更新回数";

namespace {

class LineBuilder {
 public:
  explicit LineBuilder(char* out) : out_(out) {}

  template <size_t N>
  void Text(const char (&text)[N]) {
    length_ += AppendLineField(out_ + length_, text, N, '\t');
    out_[length_++] = '\t';
  }
  void Number(int32_t value, char end) {
    length_ += snprintf(out_ + length_, 12, "%d", static_cast<int>(value));
    out_[length_++] = end;
  }
  int Finish() {
    out_[length_] = '\0';
    return static_cast<int>(length_);
  }

 private:
  char* out_;
  size_t length_ = 0;
};

}  // namespace

int FormatCardLine(const CardRecord& card, char (&out)[kMaxCardLineBytes + 1]) {
  LineBuilder line(out);
  line.Text(card.name);
  line.Text(card.reading);
  line.Text(card.group);
  line.Text(card.postalCode);
  line.Text(card.address);
  for (const PhoneEntry& phone : card.phones) {
    line.Number(phone.type, '\t');
    line.Text(phone.number);
  }
  for (const MailEntry& mail : card.mails) {
    line.Number(mail.type, '\t');
    line.Text(mail.address);
  }
  line.Text(card.memo);
  line.Text(card.created);
  line.Text(card.lastModified);
  line.Number(card.modifyCount, '\n');
  return line.Finish();
}
