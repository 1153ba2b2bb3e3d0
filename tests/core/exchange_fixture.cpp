#include "tests/core/exchange_fixture.h"

#include <string.h>

#include <filesystem>

#include "cards/book_paths.h"
#include "cards/card_line.h"
#include "cards/safe_file.h"

ExchangeBook ExchangeTest::m_book;

const char kBookHeading[] =
    "名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t"
    "電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\t"
    "メモ\t作成日\t最終更新日\t更新回数";

std::string ExchangeCardLine(const std::vector<std::string>& fields) {
  static const bool kIsType[18] = {false, false, false, false, false, true,  false, true,  false,
                                   true,  false, true,  false, true,  false, true,  false, false};
  std::string line;
  for (size_t i = 0; i < 18; ++i) {
    std::string field = i < fields.size() ? fields[i] : "";
    if (kIsType[i] && field.empty()) field = "0";
    line += field + "\t";
  }
  return line + "\t\t0";
}

ExchangeTest::ExchangeTest() {
  std::filesystem::create_directory(m_folder.File(kBookFolderName));
  m_strBookPath = m_folder.File(kBookFolderName) + kPathSeparator + kCardFileName;
  strcpy(m_options.dataDirectory, m_folder.Path().c_str());
  m_options.delimiter = '\t';
  m_options.heading = 1;
  UseFile("exchange.txt");
}

void ExchangeTest::TearDown() { SafeFileWriter::FailAfterBytesForTesting(-1); }

void ExchangeTest::PutBook(const std::vector<std::string>& cardLines) {
  std::string bytes = std::string(kBookHeading) + "\r\n";
  for (const std::string& line : cardLines) bytes += line + "\r\n";
  WriteBytes(m_strBookPath, bytes);
}

void ExchangeTest::PutBookOf(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(ExchangeCardLine({"c" + std::to_string(i)}));
  PutBook(lines);
}

void ExchangeTest::Columns(const std::vector<std::string>& names, char delimiter, int heading) {
  m_options.delimiter = delimiter;
  m_options.heading = heading;
  m_options.fieldCount = kExchangeFieldCount;
  for (int i = 0; i < kExchangeFieldCount; ++i) strcpy(m_options.fields[i], kExchangeFieldNames[i]);
  m_options.orderEntryCount = 0;
  for (const std::string& name : names) {
    ASSERT_TRUE(AddOrderEntry(m_options, name.empty() ? kBlankEntryText : name.c_str()));
  }
}

void ExchangeTest::UseFile(const std::string& name) {
  strcpy(m_options.path, m_folder.File(name.c_str()).c_str());
}

std::string ExchangeTest::Field(int card, int field) const {
  char text[kExchangeTextSize];
  int length = m_book.GetExchangeField(card, field, text);
  return std::string(text, static_cast<size_t>(length));
}
