#include "cli/vcard_import.h"

#include <errno.h>

#include <string>

#include "cli/messages.h"
#include "exchange/vcard_reader.h"

namespace {

IconvConverter g_converter;
VcardReader g_reader(g_converter);  // a card's words for each of 501 cards: not for the stack

// The words of the reader's cards by the line each began on.
class ReaderDetails : public NoteDetails {
 public:
  void Show(const ExchangeBook& book) { m_pBook = &book; }
  const char* On(long line, unsigned kind) const override {
    for (int i = 0; m_pBook != nullptr && i < m_pBook->m_nImported; ++i) {
      if (m_pBook->m_anCardLine[i] != line) continue;
      m_strText = Utf8Of(kind == kImportLeftOut ? g_reader.LeftOut(i) : g_reader.UnknownCharset(i));
      return m_strText.c_str();
    }
    return "";
  }

 private:
  const ExchangeBook* m_pBook = nullptr;
  mutable std::string m_strText;
};
ReaderDetails g_details;

}  // namespace

int ReadVcards(const char* bookDirectory, const ExchangeRequest& request, ImportText& text,
               ExchangeBook& book, ImportNotes& notes, const NoteDetails*& details) {
  errno = 0;
  if (!book.LoadBookFile(bookDirectory, 0)) {
    return Fail(kExitFailed, "cannot read the card file %s: %s",
                CardFilePath(bookDirectory).c_str(), Reason());
  }
  const bool ascii = text.choice.reason == EncodingReason::kAscii;
  const TextEncoding encoding = text.Utf8() ? TextEncoding::kUtf8 : TextEncoding::kCp932;
  if (!g_reader.Read(text.file, encoding, ascii, book, kMaxCards - book.m_nBookCards, notes)) {
    return Fail(kExitFailed, "cannot read the import file %s: %s", request.file, Reason());
  }
  if (g_reader.Found() == 0) {
    return Fail(kExitFailed, "the import file %s holds no vCard (no line BEGIN:VCARD)",
                request.file);
  }
  notes.replacedCharacters += g_reader.Replaced();
  g_details.Show(book);
  details = &g_details;
  return -1;
}
