#include "cli/postcard_painter.h"

#include <fontconfig/fontconfig.h>
#include <math.h>
#include <string.h>
#include <strings.h>

#include "cli/charset.h"

namespace {

double Pt(double mm) { return mm * kPointsPerMm; }

// A column is set flatter down to this share of its height before its
// characters are made smaller: flatter keeps them readable longer.
constexpr double kFlattest = 0.7;

// Millimetre sizes are a few units of the page: hinting would round every
// advance to a whole point.
PangoContext* NewContext(PangoFontMap* map, bool vertical) {
  PangoContext* context = pango_font_map_create_context(map);
  pango_cairo_context_set_resolution(context, 72.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  if (vertical) {
    // Upright throughout, as the full-width text of an address is set.
    pango_context_set_base_gravity(context, PANGO_GRAVITY_EAST);
    pango_context_set_gravity_hint(context, PANGO_GRAVITY_HINT_STRONG);
  }
  return context;
}

}  // namespace

PostcardPainter::PostcardPainter(const PostcardSetting& setting)
    : m_setting(setting), m_columns(LayOutColumns(setting.senderBoxesTop)) {
  m_pFontMap = pango_cairo_font_map_new();
  m_pVerticalContext = NewContext(m_pFontMap, true);
  m_pHorizontalContext = NewContext(m_pFontMap, false);
  m_pVertical = pango_layout_new(m_pVerticalContext);
  m_pHorizontal = pango_layout_new(m_pHorizontalContext);
  m_pFont = pango_font_description_new();
  pango_font_description_set_family(m_pFont, setting.face);
}

PostcardPainter::~PostcardPainter() {
  pango_font_description_free(m_pFont);
  g_object_unref(m_pHorizontal);
  g_object_unref(m_pVertical);
  g_object_unref(m_pHorizontalContext);
  g_object_unref(m_pVerticalContext);
  g_object_unref(m_pFontMap);
}

bool IsFaceInstalled(const char* face) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(""));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  bool found = false;
  FcChar8* family = nullptr;
  // A face has a name in each language it was made for (IPAex明朝).
  for (int i = 0; match != nullptr && !found &&
                  FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch;
       ++i) {
    found = strcasecmp(reinterpret_cast<const char*>(family), face) == 0;
  }
  if (match != nullptr) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return found;
}

PangoLayout* PostcardPainter::Prepare(PangoLayout* layout, const char* cp932, double size) {
  size_t length = strlen(cp932);
  size_t n = Utf8Into(cp932, length, m_szUtf8, sizeof m_szUtf8 - 1);
  m_szUtf8[n] = '\0';
  pango_font_description_set_absolute_size(m_pFont, Pt(size) * PANGO_SCALE);
  pango_layout_set_font_description(layout, m_pFont);
  pango_layout_set_text(layout, m_szUtf8, static_cast<int>(n));
  return layout;
}

void PostcardPainter::PaintColumn(cairo_t* cr, const char* cp932, const Column& column) {
  if (cp932[0] == '\0') return;
  PangoLayout* layout = Prepare(m_pVertical, cp932, column.size);
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  // The layout's lines run along its x axis, which the rotation below
  // turns down the page; its y axis then points to the left.
  double length = static_cast<double>(logical.width) / PANGO_SCALE;
  double thickness = static_cast<double>(logical.height) / PANGO_SCALE;
  double span = Pt(column.bottom - column.top);
  if (length <= 0) return;
  double along = length > span ? span / length : 1.0;
  double across = along >= kFlattest ? 1.0 : along / kFlattest;
  double top = column.fromBottom ? Pt(column.bottom) - length * along : Pt(column.top);
  cairo_save(cr);
  cairo_translate(cr, Pt(column.centreX), top);
  cairo_rotate(cr, M_PI / 2);
  cairo_scale(cr, along, across);
  cairo_move_to(cr, -static_cast<double>(logical.x) / PANGO_SCALE,
                -static_cast<double>(logical.y) / PANGO_SCALE - thickness / 2);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

void PostcardPainter::PaintDigits(cairo_t* cr, const char* digits, bool sender, double size) {
  for (int i = 0; digits[i] != '\0' && i < kPostalDigits; ++i) {
    MmRect box = sender ? SenderPostalBox(i, m_setting.senderBoxesLeft, m_setting.senderBoxesTop)
                        : RecipientPostalBox(i);
    char digit[2] = {digits[i], '\0'};
    PangoLayout* layout = Prepare(m_pHorizontal, digit, size);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    // The digit's advance and line height centred in its box.
    double x = Pt(box.left + box.width / 2) -
               (logical.x + logical.width / 2.0) / static_cast<double>(PANGO_SCALE);
    double y = Pt(box.top + box.height / 2) -
               (logical.y + logical.height / 2.0) / static_cast<double>(PANGO_SCALE);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
  }
}

void PostcardPainter::PaintBoxes(cairo_t* cr) {
  cairo_save(cr);
  cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
  cairo_set_line_width(cr, Pt(0.3));
  for (int i = 0; i < kPostalDigits; ++i) {
    MmRect box = RecipientPostalBox(i);
    cairo_rectangle(cr, Pt(box.left), Pt(box.top), Pt(box.width), Pt(box.height));
    box = SenderPostalBox(i, m_setting.senderBoxesLeft, m_setting.senderBoxesTop);
    cairo_rectangle(cr, Pt(box.left), Pt(box.top), Pt(box.width), Pt(box.height));
  }
  // The short line between the third box and the fourth, as printed cards
  // have it.
  MmRect third = RecipientPostalBox(2);
  MmRect fourth = RecipientPostalBox(3);
  double middle = Pt(third.top + third.height / 2);
  cairo_move_to(cr, Pt(third.Right() + 0.3), middle);
  cairo_line_to(cr, Pt(fourth.left - 0.3), middle);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void PostcardPainter::Paint(cairo_t* cr, const PostcardPage& page) {
  cairo_save(cr);
  cairo_translate(cr, Pt(m_setting.offsetX), Pt(m_setting.offsetY));
  if (m_setting.boxes) PaintBoxes(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  PaintDigits(cr, page.digits, false, m_columns.digitSize);
  PaintColumn(cr, page.address.first, m_columns.address);
  PaintColumn(cr, page.address.second, m_columns.building);
  PaintColumn(cr, page.name, m_columns.name);
  PaintDigits(cr, page.senderDigits, true, m_columns.senderDigitSize);
  PaintColumn(cr, page.senderAddress.first, m_columns.senderAddress);
  PaintColumn(cr, page.senderAddress.second, m_columns.senderBuilding);
  PaintColumn(cr, page.senderName, m_columns.senderName);
  cairo_restore(cr);
}
