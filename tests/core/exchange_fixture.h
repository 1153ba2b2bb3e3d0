// A data folder with a card file, the options as the dialog would fill them,
// and the messages the procedures tell.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "exchange/exchange_book.h"
#include "tests/core/test_files.h"

class RecordedMessages : public ExchangeMessages {
 public:
  void Tell(const char* text, ExchangeIcon icon) override { told.emplace_back(text, icon); }
  std::vector<std::pair<std::string, ExchangeIcon>> told;
};

class ExchangeTest : public ::testing::Test {
 protected:
  ExchangeTest();
  void TearDown() override;

  // The card file: its own heading, then these card lines (CR LF added).
  void PutBook(const std::vector<std::string>& cardLines);
  // A book of count cards named c0, c1, ...
  void PutBookOf(int count);
  std::string BookBytes() const { return ReadBytes(m_strBookPath); }
  std::string BookPath() const { return m_strBookPath; }

  // Columns by name, "" for a blank entry; the field list as the card file
  // names it.
  void Columns(const std::vector<std::string>& names, char delimiter = '\t', int heading = 1);
  void UseFile(const std::string& name);  // in the scratch folder
  std::string ExchangeFile() const { return ReadBytes(m_options.path); }
  void PutExchangeFile(const std::string& bytes) { WriteBytes(m_options.path, bytes); }

  int Export() { return m_book.ExportCards(m_options, m_messages); }
  int Import() { return m_book.ImportCards(m_options, m_messages); }
  // The book as the exchange reads it back.
  void Reload() { ASSERT_EQ(1, m_book.LoadBookFile(m_options.dataDirectory, 1)); }
  std::string Field(int card, int field) const;

  ScratchFolder m_folder;
  std::string m_strBookPath;
  ExchangeOptions m_options = {};
  RecordedMessages m_messages;
  static ExchangeBook m_book;
};

// An 18-field card line, the dates and count after it empty and 0.
std::string ExchangeCardLine(const std::vector<std::string>& fields);

extern const char kBookHeading[];
