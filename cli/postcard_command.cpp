#include "cli/postcard_command.h"

#include <cairo-pdf.h>
#include <errno.h>
#include <fontconfig/fontconfig.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "cards/safe_file.h"
#include "cli/book_setup.h"
#include "cli/charset.h"
#include "cli/messages.h"
#include "cli/postcard_painter.h"
#include "cli/show_command.h"
#include "text/byte_text.h"

namespace {

constexpr const char kDefaultFace[] = "IPAexMincho";
constexpr const char kDefaultHonorific[] = "様";
constexpr size_t kHonorificSize = 32;
// Previews at a resolution that shows the smallest text clearly.
constexpr double kPreviewDpi = 150.0;

// The cards to print, in page order, and what was found wrong with the
// request on the way.
struct Selection {
  int slots[kCardSlots];
  int count = 0;
  int leftOut = 0;
};

cairo_status_t WriteToFile(void* closure, const unsigned char* data, unsigned int length) {
  SafeFileWriter& out = *static_cast<SafeFileWriter*>(closure);
  out.Write(reinterpret_cast<const char*>(data), length);
  return out.Problem() == FileProblem::kNone ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

std::string CardName(const CardTable& table, int slot) { return Utf8Of(table.m_cards[slot].name); }

// Fills the selection from --ids, --group or, by default, every card but
// the owner's. Returns -1, or the exit status after saying why.
int SelectCards(const CardTable& table, const PostcardRequest& request, const char* file,
                Selection& selection) {
  if (request.ids != nullptr) {
    std::string ids = request.ids;
    for (size_t start = 0; start <= ids.size();) {
      size_t comma = ids.find(',', start);
      if (comma == std::string::npos) comma = ids.size();
      std::string text = ids.substr(start, comma - start);
      start = comma + 1;
      int id = 0;
      if (!ParseCardId(text.c_str(), id)) {
        return Fail(kExitBadArguments, "--ids takes IDs from 0 to 500, as list prints them: %s",
                    text.c_str());
      }
      if (!table.IsUsed(id)) {
        Fail(0, "no card has the ID %d: left out of %s", id, file);
        ++selection.leftOut;
      } else if (selection.count < kCardSlots) {
        selection.slots[selection.count++] = id;
      }
    }
    return -1;
  }
  std::string group;
  if (request.group != nullptr && !Utf8ToCp932(request.group, group)) {
    return Fail(kExitBadArguments,
                "the group name is not UTF-8, or has a character that code page 932 cannot hold");
  }
  int visited = 0;
  for (int slot = 0; slot < kCardSlots && visited < table.m_nCardCount; ++slot) {
    if (!table.IsUsed(slot)) continue;
    ++visited;
    bool chosen =
        request.group != nullptr ? group == table.m_cards[slot].group : slot != kOwnerSlot;
    if (chosen) selection.slots[selection.count++] = slot;
  }
  if (selection.count == 0 && request.group != nullptr) {
    return Fail(kExitFailed, "no card is in the group %s", request.group);
  }
  return -1;
}

// The sender's half of every page; -1, or the exit status after saying why.
int PrepareSender(const CardTable& table, const PostcardRequest& request, const char* file,
                  PostcardPage& page, int& leftOut) {
  page.senderName[0] = page.senderDigits[0] = '\0';
  page.senderAddress.first[0] = page.senderAddress.second[0] = '\0';
  if (request.noSender) return -1;
  int slot = kOwnerSlot;
  if (request.sender != nullptr && !ParseCardId(request.sender, slot)) {
    return Fail(kExitBadArguments, "--sender takes an ID from 0 to 500, as list prints it: %s",
                request.sender);
  }
  if (!table.IsUsed(slot)) return Fail(kExitFailed, "no card has the ID %d", slot);
  const CardRecord& card = table.m_cards[slot];
  if (card.address[0] == '\0') {
    ++leftOut;
    Fail(0,
         "the sender's card %d (%s) has no address: no sender on the cards of %s (--sender ID "
         "names another card, --no-sender leaves it off)",
         slot, CardName(table, slot).c_str(), file);
    return -1;
  }
  ToVerticalAddress(card.address, request.join, page.senderAddress);
  ToVerticalText(card.name, page.senderName, sizeof page.senderName);
  if (card.postalCode[0] != '\0' && !ReadPostalCode(card.postalCode, page.senderDigits)) {
    ++leftOut;
    page.senderDigits[0] = '\0';
    Fail(0, "the sender's card %d (%s): the postal code %s is not seven digits: left off %s", slot,
         CardName(table, slot).c_str(), Utf8Of(card.postalCode).c_str(), file);
  }
  return -1;
}

// The recipient's half of the page.
void PrepareRecipient(const CardRecord& card, const PostcardRequest& request, const char* honorific,
                      PostcardPage& page) {
  ToVerticalAddress(card.address, request.join, page.address);
  size_t n = ToVerticalText(card.name, page.name, sizeof page.name);
  if (honorific[0] != '\0' && !EndsWithHonorific(card.name)) {
    snprintf(page.name + n, sizeof page.name - n, "%s%s", "　", honorific);
  }
  if (!ReadPostalCode(card.postalCode, page.digits)) page.digits[0] = '\0';
}

// Writes the image's PNG through the safe path; false after saying why.
bool WritePreview(cairo_surface_t* image, const char* folder, int pageNumber) {
  char path[kPathBufferSize];
  int n = snprintf(path, sizeof path, "%s/page-%03d.png", folder, pageNumber);
  if (n < 0 || static_cast<size_t>(n) >= sizeof path) {
    Fail(0, "the preview folder's path is too long: %s", folder);
    return false;
  }
  errno = 0;
  SafeFileWriter out(path);
  if (out.IsOpen() &&
      cairo_surface_write_to_png_stream(image, WriteToFile, &out) == CAIRO_STATUS_SUCCESS &&
      out.Commit()) {
    return true;
  }
  Fail(0, "cannot write the preview %s: %s", path, Reason());
  return false;
}

// Fontconfig, Pango and Cairo keep caches for the process's life; they are
// let go once everything that used them is, so that a leak check sees only
// what is really lost.
struct TextStackRelease {
  ~TextStackRelease() {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

// The PDF, one page a card, and a preview of each page.
class Pages {
 public:
  Pages(const PostcardSetting& setting, SafeFileWriter& out, const char* pngFolder)
      : m_painter(setting), m_pPngFolder(pngFolder) {
    m_pPdf = cairo_pdf_surface_create_for_stream(WriteToFile, &out, kCardWidthMm * kPointsPerMm,
                                                 kCardHeightMm * kPointsPerMm);
    cairo_pdf_surface_set_metadata(m_pPdf, CAIRO_PDF_METADATA_CREATOR, "quillbook postcard");
    if (pngFolder != nullptr) {
      m_pImage = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Pixels(kCardWidthMm),
                                            Pixels(kCardHeightMm));
    }
  }
  ~Pages() {
    cairo_surface_destroy(m_pPdf);
    if (m_pImage != nullptr) cairo_surface_destroy(m_pImage);
  }
  Pages(const Pages&) = delete;
  Pages& operator=(const Pages&) = delete;

  bool Add(const PostcardPage& page) {
    cairo_t* cr = cairo_create(m_pPdf);
    m_painter.Paint(cr, page);
    cairo_show_page(cr);
    cairo_destroy(cr);
    ++m_nPages;
    if (m_pImage == nullptr) return true;
    cr = cairo_create(m_pImage);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, kPreviewDpi / 72.0, kPreviewDpi / 72.0);
    m_painter.Paint(cr, page);
    cairo_destroy(cr);
    cairo_surface_flush(m_pImage);
    return WritePreview(m_pImage, m_pPngFolder, m_nPages);
  }

  // Ends the PDF; false when Cairo could not write it whole.
  bool Finish() {
    cairo_surface_finish(m_pPdf);
    return cairo_surface_status(m_pPdf) == CAIRO_STATUS_SUCCESS;
  }

  int Count() const { return m_nPages; }

 private:
  static int Pixels(double mm) { return static_cast<int>(mm / 25.4 * kPreviewDpi + 0.5); }

  PostcardPainter m_painter;
  const char* m_pPngFolder;
  cairo_surface_t* m_pPdf = nullptr;
  cairo_surface_t* m_pImage = nullptr;
  int m_nPages = 0;
};

Selection g_selection;
PostcardPage g_page;

}  // namespace

int PostcardCommand(const CardTable& table, const char* dataDirectory,
                    const PostcardRequest& request) {
  const char* file = request.file;
  if (file == nullptr) return Fail(kExitBadArguments, "postcard needs a FILE.pdf");
  if (request.ids != nullptr && request.group != nullptr) {
    return Fail(kExitBadArguments, "--ids and --group each choose the cards: give one");
  }
  if (request.sender != nullptr && request.noSender) {
    return Fail(kExitBadArguments, "--sender and --no-sender: give one");
  }
  std::string honorific = kDefaultHonorific;
  if (request.honorific != nullptr &&
      (!Utf8ToCp932(request.honorific, honorific) || honorific.size() >= kHonorificSize)) {
    return Fail(kExitBadArguments,
                "--honorific takes a short UTF-8 text that code page 932 can hold: %s",
                request.honorific);
  }
  char bookFile[kPathBufferSize];
  if (NamesBookFile(dataDirectory, file, bookFile)) {
    return Fail(kExitBadArguments, "%s is the address book's own file; choose another FILE", file);
  }
  if (request.pngFolder != nullptr) {
    int status = CheckFolder(request.pngFolder, "preview folder");
    if (status >= 0) return status;
  }

  Selection& selection = g_selection;
  selection.count = selection.leftOut = 0;
  int status = SelectCards(table, request, file, selection);
  if (status >= 0) return status;
  PostcardPage& page = g_page;
  status = PrepareSender(table, request, file, page, selection.leftOut);
  if (status >= 0) return status;
  TextStackRelease release;  // made before the first use, gone after the last
  const char* face = request.font != nullptr ? request.font : kDefaultFace;
  if (!IsFaceInstalled(face)) {
    return Fail(request.font != nullptr ? kExitBadArguments : kExitFailed,
                "the font %s is not installed (fc-list lists the fonts; Debian's "
                "fonts-ipaexfont-mincho has IPAexMincho)",
                face);
  }

  // Every card is looked at before the file is made, so that a run that
  // would print nothing leaves nothing behind.
  int printable = 0;
  for (int i = 0; i < selection.count; ++i) {
    int slot = selection.slots[i];
    const CardRecord& card = table.m_cards[slot];
    if (card.address[0] == '\0') {
      Fail(0, "card %d (%s) has no address: left out of %s", slot, CardName(table, slot).c_str(),
           file);
      ++selection.leftOut;
      selection.slots[i] = -1;
      continue;
    }
    ++printable;
    char digits[kPostalDigits + 1];
    if (card.postalCode[0] == '\0') {
      Fail(0, "card %d (%s) has no postal code: printed without one in %s", slot,
           CardName(table, slot).c_str(), file);
      ++selection.leftOut;
    } else if (!ReadPostalCode(card.postalCode, digits)) {
      Fail(0, "card %d (%s): the postal code %s is not seven digits: printed without it in %s",
           slot, CardName(table, slot).c_str(), Utf8Of(card.postalCode).c_str(), file);
      ++selection.leftOut;
    }
  }
  if (printable == 0) return Fail(kExitFailed, "no card to print: %s not written", file);

  errno = 0;
  SafeFileWriter out(file);
  if (!out.IsOpen()) {
    return Fail(kExitFailed, "cannot create the postcard file %s: %s", file, Reason());
  }
  PostcardSetting setting = {face,
                             request.boxes,
                             request.offsetX,
                             request.offsetY,
                             request.senderBoxesLeft,
                             request.senderBoxesTop};
  Pages pages(setting, out, request.pngFolder);
  for (int i = 0; i < selection.count; ++i) {
    int slot = selection.slots[i];
    if (slot < 0) continue;
    PrepareRecipient(table.m_cards[slot], request, honorific.c_str(), page);
    if (!pages.Add(page)) return kExitFailed;
  }
  if (!pages.Finish() || !out.Commit()) {
    return Fail(kExitFailed, "cannot write the postcard file %s: %s", file, Reason());
  }
  printf("%d postcard%s written to %s\n", pages.Count(), pages.Count() == 1 ? "" : "s", file);
  if (request.pngFolder != nullptr) {
    printf("%d preview%s written to %s\n", pages.Count(), pages.Count() == 1 ? "" : "s",
           request.pngFolder);
  }
  return selection.leftOut > 0 ? kExitDoneInPart : kExitDone;
}
