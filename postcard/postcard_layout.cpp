#include "postcard/postcard_layout.h"

namespace {

// The right edge of the seventh box is 8.0 mm from the card's right edge,
// with gaps of 1.3 mm between boxes 1 to 3, 1.9 mm between 3 and 4 and
// 1.1 mm between boxes 4 to 7.
constexpr double kRecipientBoxLefts[] = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
constexpr double kRecipientBoxWidth = 5.7;
constexpr double kRecipientBoxHeight = 8.0;
constexpr double kRecipientBoxTop = 12.0;

constexpr double kSenderBoxWidth = 4.0;
constexpr double kSenderBoxHeight = 6.5;
constexpr double kSenderBoxGap = 0.6;
constexpr double kSenderGroupGap = 1.6;  // between the third box and the fourth

}  // namespace

MmRect RecipientPostalBox(int index) {
  return {kRecipientBoxLefts[index], kRecipientBoxTop, kRecipientBoxWidth, kRecipientBoxHeight};
}

MmRect SenderPostalBox(int index, double left, double top) {
  double x = left + index * (kSenderBoxWidth + kSenderBoxGap);
  if (index >= 3) x += kSenderGroupGap - kSenderBoxGap;
  return {x, top, kSenderBoxWidth, kSenderBoxHeight};
}

double SenderBoxesWidth() { return SenderPostalBox(6, 0, 0).Right(); }

PostcardColumns LayOutColumns(double senderBoxesTop) {
  // The recipient's address starts below the boxes at the right; the name
  // takes the middle of the card; the sender keeps below the stamp area, to
  // the left of the name.
  double senderBottom = senderBoxesTop - 3.0;
  PostcardColumns c;
  c.address = {87.5, 27.0, 118.0, 5.6, false};
  c.building = {80.5, 38.0, 118.0, 5.0, false};
  c.name = {50.0, 30.0, 128.0, 9.5, false};
  c.senderAddress = {33.0, 73.0, senderBottom, 3.6, false};
  c.senderBuilding = {28.6, 79.0, senderBottom, 3.3, false};
  c.senderName = {21.5, 80.0, senderBottom, 5.0, true};
  c.digitSize = 5.5;
  c.senderDigitSize = 4.0;
  return c;
}
