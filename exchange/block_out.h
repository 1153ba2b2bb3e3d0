// The exchange's output gathered into whole blocks before it goes to its
// file, so that a line of many short columns, or a book of many card lines,
// costs a write a block rather than one a piece.
#pragma once

#include <stddef.h>
#include <stdio.h>

class SafeFileWriter;

class BlockOut {
 public:
  BlockOut(char* block, size_t size) : m_pBlock(block), m_nSize(size) {}
  BlockOut(const BlockOut&) = delete;
  BlockOut& operator=(const BlockOut&) = delete;

  // Room for count more bytes (at most the block's size) at the end of the
  // block, which is sent first when it lacks it; Grow(n) then keeps n bytes
  // written there.
  char* Room(size_t count) {
    if (m_nUsed + count > m_nSize) Flush();
    return m_pBlock + m_nUsed;
  }
  void Grow(size_t count) { m_nUsed += count; }
  void Write(const char* bytes, size_t length);
  void Put(char c) {
    *Room(1) = c;
    Grow(1);
  }
  // Sends what the block holds.
  void Flush();

 protected:
  ~BlockOut() = default;
  virtual void Send(const char* bytes, size_t length) = 0;

 private:
  char* m_pBlock;
  size_t m_nSize;
  size_t m_nUsed = 0;
};

// Blocks into the new file of a safe write.
class BlockToWriter : public BlockOut {
 public:
  BlockToWriter(SafeFileWriter& writer, char* block, size_t size)
      : BlockOut(block, size), m_writer(writer) {}

 private:
  void Send(const char* bytes, size_t length) override;
  SafeFileWriter& m_writer;
};

// Blocks onto a stream that the caller opened.
class BlockToStream : public BlockOut {
 public:
  BlockToStream(FILE* stream, char* block, size_t size)
      : BlockOut(block, size), m_pStream(stream) {}

 private:
  void Send(const char* bytes, size_t length) override;
  FILE* m_pStream;
};
