// What the panel knows of the card file beyond the cards in its table.
#pragma once

struct BookFileState {
  // The file is there but could not be read: the table does not stand for
  // it, so it is never written over.
  int m_bCardFileUnread = 0;
  // The file held more than the table keeps: it is copied aside before the
  // first save that replaces it.
  int m_bKeepOldCardFile = 0;
};
