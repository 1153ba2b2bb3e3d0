// Cards and folded searches of them (quillbook search --fold, the host's
// mode 2), run on the core and through the tool's Search under Wine.
#pragma once

#include <string>
#include <vector>

struct FoldCard {
  const char* name;
  const char* reading;
  const char* group;
  const char* phone;
  const char* memo;
};

// Cards A, B, C, ... in this order.
const FoldCard kFoldCards[] = {
    {"山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "友人", "090-1234-5678", ""},
    {"東京 花子", "ﾄｳｷｮｳ ﾊﾅｺ", "", "", "携帯は０９０"},
    {"服部 新一", "ﾊｯﾄﾘ ｼﾝｲﾁ", "", "", ""},
    {"本間 淳二", "ﾎﾝﾏ ｼﾞｭﾝｼﾞ", "", "", ""},
    {"藤津 千秋", "ﾌｼﾞﾂ ﾁｱｷ", "", "", ""},
    {"ＪＯＨＮ ＳＭＩＴＨ", "ｼﾞｮﾝ ｽﾐｽ", "", "", ""},
    {"山崎 翔", "ﾔﾏｻﾞｷ ｼｮｳ", "", "", ""},
    {"ラーメン しゃぶしゃぶ屋", "ﾗｰﾒﾝ ｼｬﾌﾞｼｬﾌﾞﾔ", "", "", ""},
    {"尾崎 ジャック", "ｵｻﾞｷ ｼﾞｬｯｸ", "", "", ""},
};

struct FoldQuery {
  const char* text;
  bool dropVoicing;
  // Each card found, in order, as its letter and the field that matched:
  // n name, r reading, g group, p phone, m memo.
  const char* found;
};

const FoldQuery kFoldQueries[] = {
    {"やまだ", false, "Ar"},
    {"ヤマダ", false, "Ar"},
    {"ﾔﾏﾀﾞ", false, "Ar"},
    {"ﾔﾏﾀ", false, ""},  // ﾀﾞ is one character
    {"やまた", false, ""},
    {"やまた", true, "Ar"},
    {"YAMADA", false, "Ar"},
    {"ｙａｍａｄａ", false, "Ar"},
    {"ＴＡＲＯ", false, "Ar"},
    {"ｊｏｈｎ", false, "Fn"},
    {"０９０", false, "Ap Bm"},
    {"らーめん", false, "Hn"},
    {"tokyo", false, "Br"},
    {"toukyou", false, "Br"},
    {"toukyo", false, "Br"},
    {"shin'ichi", false, "Cr"},
    {"shinnichi", false, "Cr"},
    {"sinniti", false, "Cr"},
    {"hattori", false, "Cr"},
    {"hatori", false, ""},
    {"homma", false, "Dr"},
    {"honma zyunzi", false, "Dr"},
    {"jyunji", false, "Dr"},
    {"fujitsu chiaki", false, "Er"},
    {"hujitu", false, "Er"},
    {"tiaki", false, "Er"},
    {"jon sumisu", false, "Fr"},
    {"syou", false, "Gr"},
    {"sho", false, "Gr"},
    {"yamasaki", false, ""},
    {"yamasaki", true, "Gr"},
    {"ramen shabushabu", false, "Hr"},
    {"ra-men syabusyabu", false, "Hr"},
    {"jakku", false, "Ir"},
    {"zyakku", false, "Ir"},
    {"amada", false, ""},  // a word begins a syllable
};

inline std::string FoldCardLine(const FoldCard& card) {
  return std::string(card.name) + "\t" + card.reading + "\t" + card.group + "\t\t\t0\t" +
         card.phone + "\t0\t\t0\t\t0\t\t0\t\t0\t\t" + card.memo +
         "\t2020/1/1  00:00\t2020/1/1  00:00\t1\r\n";
}

// The result lines of the cards found, as the host receives them.
inline std::vector<std::string> FoldResults(const std::string& found) {
  std::vector<std::string> lines;
  for (size_t i = 0; i + 1 < found.size(); i += 3) {
    const FoldCard& card = kFoldCards[found[i] - 'A'];
    const std::string fields = "nrgpm";
    const char* texts[] = {card.name, card.reading, card.group, card.phone, card.memo};
    lines.push_back(std::string(card.name) + " (" + card.reading + ") [ " + card.group + " ] : \"" +
                    texts[fields.find(found[i + 1])] + "\"");
  }
  return lines;
}
