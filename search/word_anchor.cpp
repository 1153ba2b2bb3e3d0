#include "search/word_anchor.h"

#include <string.h>

#include "search/match_rules.h"
#include "text/byte_text.h"

namespace {

// The bytes of a word whose characters are weighed as ones to look for.
constexpr size_t kWeighedBytes = 32;

// A byte's first guess of misses, for each step of its commonness; a miss's
// cost against that of folding one byte of a field.
constexpr int kGuessedMisses = 4;
constexpr int kMissCost = 8;

// How often a form's bytes stand in card text, its rarer byte counting.
int Weight(const FoldForm& form) {
  int weight = ByteCommonness(form.bytes[0]);
  if (form.length == 2 && ByteCommonness(form.bytes[1]) < weight) {
    weight = ByteCommonness(form.bytes[1]);
  }
  return weight;
}

// Adds to *fields those of the line that hold the form, those already in it
// not looked at again; counts in *missed the places where the byte at at
// stood without the form, and in *bytes the length of the fields added.
void AddFieldsHolding(const FoldForm& form, int at, const LineFields& line, uint32_t* fields,
                      int* missed, size_t* bytes) {
  const auto byte = static_cast<char>(form.bytes[at]);
  const char* const lineEnd = line.end[line.count - 1];
  const char* from = line.start[0] + at;
  for (int f = 0; f < line.count;) {
    if ((*fields >> line.order[f] & 1) != 0) {
      from = line.end[f] + at;
      ++f;
      continue;
    }
    const auto* hit =
        static_cast<const char*>(memchr(from, byte, static_cast<size_t>(lineEnd - from)));
    if (hit == nullptr) return;
    const char* begin = hit - at;
    while (f < line.count && line.end[f] <= begin) ++f;
    if (f == line.count) return;
    if ((*fields >> line.order[f] & 1) != 0) continue;
    if (begin >= line.start[f] && begin + form.length <= line.end[f] &&
        static_cast<unsigned char>(begin[0]) == form.bytes[0] &&
        (form.length == 1 || static_cast<unsigned char>(begin[1]) == form.bytes[1])) {
      *fields |= 1u << line.order[f];
      *bytes += static_cast<size_t>(line.end[f] - line.start[f]);
    } else {
      from = hit + 1;
      ++*missed;
    }
  }
}

}  // namespace

LineFields::LineFields(const SearchedLine& line) {
  for (int o = 0; o < kSearchedFieldCount; ++o) {
    if (line.length[o] == 0) continue;
    start[count] = line.field[o];
    end[count] = line.field[o] + line.length[o];
    order[count++] = o;
  }
}

bool WordAnchor::Prepare(const char* key, size_t length, unsigned foldFlags) {
  // The characters whose forms' rare bytes are rarest, rarest first; a lead
  // byte that ends the word is no whole character.
  const auto* bytes = reinterpret_cast<const unsigned char*>(key);
  int weights[kCharacters];
  m_nCharacters = 0;
  for (size_t at = 0; at < length && at < kWeighedBytes;) {
    bool lead = IsCp932LeadByte(bytes[at]);
    if (lead && at + 1 >= length) break;
    size_t n = lead ? 2 : 1;
    Character character;
    character.count = FoldedForms(key + at, n, foldFlags, character.forms);
    at += n;
    if (character.count <= 0) continue;
    int weight = 0;
    for (int i = 0; i < character.count; ++i) {
      weight += Weight(character.forms[i]);
      for (int b = 0; b < character.forms[i].length; ++b) {
        character.misses[i][b] = kGuessedMisses * ByteCommonness(character.forms[i].bytes[b]);
      }
    }
    int place = m_nCharacters < kCharacters ? m_nCharacters++ : kCharacters;
    while (place > 0 && weights[place - 1] > weight) {
      if (place < kCharacters) {
        m_characters[place] = m_characters[place - 1];
        weights[place] = weights[place - 1];
      }
      --place;
    }
    if (place < kCharacters) {
      m_characters[place] = character;
      weights[place] = weight;
    }
  }
  return m_nCharacters > 0;
}

void WordAnchor::AddFields(const LineFields& line, uint32_t* fields) {
  if (line.count == 0) return;
  Character* cheapest = &m_characters[0];
  for (int i = 1; i < m_nCharacters; ++i) {
    if (m_characters[i].cost < cheapest->cost) cheapest = &m_characters[i];
  }
  int missed = 0;
  size_t bytes = 0;
  for (int i = 0; i < cheapest->count; ++i) {
    const FoldForm& form = cheapest->forms[i];
    const int at = form.length == 2 && cheapest->misses[i][1] < cheapest->misses[i][0];
    int formMissed = 0;
    AddFieldsHolding(form, at, line, fields, &formMissed, &bytes);
    cheapest->misses[i][at] += 2 * formMissed - cheapest->misses[i][at] / 8;
    missed += formMissed;
  }
  int cost = kMissCost * missed + static_cast<int>(bytes);
  cheapest->cost = cheapest->cost == 0 ? cost : (3 * cheapest->cost + cost) / 4;
}
