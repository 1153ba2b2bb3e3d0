// Where each part of a postcard's address side goes, in millimetres from
// the card's top-left corner: the postal code boxes of private postcards,
// the stamp area that must stay clear, and the vertical columns of the
// address, the name and the sender.
#pragma once

constexpr double kCardWidthMm = 100.0;
constexpr double kCardHeightMm = 148.0;

struct MmRect {
  double left;
  double top;
  double width;
  double height;
  double Right() const { return left + width; }
  double Bottom() const { return top + height; }
};

// The stamp goes in the top-left corner.
constexpr MmRect kStampArea = {0.0, 0.0, 35.0, 70.0};

// The recipient's seven boxes, as the postal rules place them on every
// private postcard.
MmRect RecipientPostalBox(int index);

// The sender's boxes, three then four, from the top-left corner of the
// first; card stocks place them differently, so the corner can be moved.
constexpr double kSenderBoxesLeftMm = 5.0;
constexpr double kSenderBoxesTopMm = 122.5;
MmRect SenderPostalBox(int index, double left, double top);
// From the first box's left edge to the last one's right edge.
double SenderBoxesWidth();

// One vertical column: its centre line, the span it may fill and the size
// of its characters (the em square); a text longer than the span is set
// flatter or smaller, never past it.
struct Column {
  double centreX;
  double top;
  double bottom;
  double size;
  bool fromBottom;  // set against the bottom of the span rather than its top
};

struct PostcardColumns {
  Column address;   // the recipient's address up to the street number
  Column building;  // the rest of it, set lower
  Column name;      // the centre column, the largest text
  Column senderAddress;
  Column senderBuilding;
  Column senderName;
  double digitSize;  // a postal digit in a recipient's box
  double senderDigitSize;
};

// The columns, the sender's ending above the top of the sender's boxes.
PostcardColumns LayOutColumns(double senderBoxesTop);
