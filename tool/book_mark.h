// The mark that a running panel leaves beside the card file: the panel
// rewrites the whole file when it closes, so a writer outside it (the
// command line's import) must wait or it loses its cards.
#pragma once

// Both take the host's data directory; a mark left by a crash is overwritten.
void MarkBookOpen(const char* dataDirectory);
void ClearBookMark(const char* dataDirectory);
