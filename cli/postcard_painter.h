// Draws the address side of one postcard with Pango and Cairo: vertical
// columns in one Mincho face, the postal digits in their boxes.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include "postcard/postcard_layout.h"
#include "postcard/vertical_text.h"

constexpr double kPointsPerMm = 72.0 / 25.4;

// What goes on one card, code page 932 as the core sets it for vertical
// columns; an empty text is left out.
struct PostcardPage {
  VerticalAddress address;
  char name[192];  // with its honorific
  char digits[kPostalDigits + 1];
  VerticalAddress senderAddress;
  char senderName[160];
  char senderDigits[kPostalDigits + 1];
};

struct PostcardSetting {
  const char* face;
  bool boxes;  // the red boxes of printed cards, for plain paper
  double offsetX;
  double offsetY;
  double senderBoxesLeft;
  double senderBoxesTop;
};

// Whether fontconfig has the face, under any of its names, rather than one
// that it would put in its place.
bool IsFaceInstalled(const char* face);

class PostcardPainter {
 public:
  explicit PostcardPainter(const PostcardSetting& setting);
  ~PostcardPainter();
  PostcardPainter(const PostcardPainter&) = delete;
  PostcardPainter& operator=(const PostcardPainter&) = delete;

  // Draws the page on cr, whose units are points from the card's corner.
  void Paint(cairo_t* cr, const PostcardPage& page);

 private:
  void PaintColumn(cairo_t* cr, const char* cp932, const Column& column);
  void PaintDigits(cairo_t* cr, const char* digits, bool sender, double size);
  void PaintBoxes(cairo_t* cr);
  // The layout holding cp932 as UTF-8 at size millimetres.
  PangoLayout* Prepare(PangoLayout* layout, const char* cp932, double size);

  PostcardSetting m_setting;
  PostcardColumns m_columns;
  PangoFontMap* m_pFontMap;
  PangoContext* m_pVerticalContext;
  PangoContext* m_pHorizontalContext;
  PangoLayout* m_pVertical;
  PangoLayout* m_pHorizontal;
  PangoFontDescription* m_pFont;
  char m_szUtf8[4096];  // a column as UTF-8: three bytes for each byte at most
};
