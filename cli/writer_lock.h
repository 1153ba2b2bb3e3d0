// One command-line writer of a book at a time: two imports that read the
// card file at once would each replace it with their own grown copy, and
// the cards of one would be lost.
#pragma once

class BookWriterLock {
 public:
  BookWriterLock() = default;
  ~BookWriterLock();
  BookWriterLock(const BookWriterLock&) = delete;
  BookWriterLock& operator=(const BookWriterLock&) = delete;

  // Locks the lock file beside the card file in dataDirectory (making the
  // book's folder when it is not there yet), waiting for another writer
  // for $QUILLBOOK_LOCK_SECONDS seconds (10 by default). Returns -1 when
  // held, else the exit status after saying why, naming the other writer.
  // The lock is let go with the object, or when the process ends.
  int Take(const char* dataDirectory);

 private:
  int m_fd = -1;
};
