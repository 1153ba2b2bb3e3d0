#!/usr/bin/env bash
# quillbook postcard: the PDF read back glyph by glyph with poppler, in
# millimetres from the card's top-left corner.
source "$(dirname "$0")/check.sh"

mkdir -p "$work/data/Quillbook" "$work/png"
card() {  # name postal-code address
  printf '%s\t\t\t%s\t%s\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t2026/1/1  00:00\t2026/1/1  00:00\t0\n' "$@"
}
{
  printf 'heading\n'
  card '山本 一郎' 150-0001 '東京都渋谷区神宮前1丁目23番地 青山ハイツ101号'
  card '山田 太郎' 105-0011 '東京都港区芝公園4-2-8 ＡＢＣビル5F'
  card '鈴木商事 御中' １０５００１１ '大阪府大阪市北区梅田10-1'
  card '佐藤 次郎' 100-0001 ''
  card '田中 三郎' 123-456 '京都府京都市中京区1-1'
} | to_cp932 >"$work/data/Quillbook/Quillbook.dat"

# Each page as its postal digits (recipient's/sender's) and its columns from
# right to left, each read top to bottom; then what is wrong with the page:
# a digit outside its box (±0.5 mm), a glyph off the card or in the stamp
# area (35 x 70 mm at the top left), a column not straight, a name column
# off the centre or not the largest.
pages() {
  pdftotext -bbox "$1" - | python3 -c '
import re, sys
mm = 25.4 / 72
rows = [([44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3], 12, 5.7, 8),
        ([5 + i * 4.6 + (i >= 3) for i in range(7)], 122.5, 4, 6.5)]
centre = lambda g: (g[1] + g[3]) / 2
for page in sys.stdin.read().split("<page ")[1:]:
    wrong, digits, columns = set(), [{}, {}], []
    for g in sorted(((t, *[float(v) * mm for v in xy]) for *xy, t in re.findall(
            r"xMin=\"(\S+)\" yMin=\"(\S+)\" xMax=\"(\S+)\" yMax=\"(\S+)\">(.*?)<", page)), key=centre):
        t, x0, y0, x1, y1 = g
        if x0 < 0 or y0 < 0 or x1 > 100 or y1 > 148 or (x0 < 35 and y0 < 70): wrong.add("outside")
        if t.isascii():
            lefts, top, w, h = rows[y0 > 100]
            i = min(range(7), key=lambda i: abs(lefts[i] + w / 2 - centre(g)))
            if x0 < lefts[i] - .5 or x1 > lefts[i] + w + .5 or y0 < top - .5 or y1 > top + h + .5: wrong.add("box")
            digits[y0 > 100][i] = t
        elif columns and centre(g) - centre(columns[-1][-1]) < 1: columns[-1].append(g)
        else: columns.append([g])
    size = lambda g: g[3] - g[1]
    name = max(columns, key=lambda c: max(map(size, c)))
    if abs(centre(name[0]) - 50) > .5 or any(size(g) >= min(map(size, name)) for c in columns if c is not name for g in c): wrong.add("name")
    if any(centre(c[-1]) - centre(c[0]) > .2 for c in columns): wrong.add("column")
    print("/".join("".join(d[i] for i in sorted(d)) for d in digits),
          *("".join(g[0] for g in sorted(c, key=lambda g: g[2])) for c in reversed(columns)), *sorted(wrong))
'
}

"$quillbook" --data "$work/data" postcard --boxes --png "$work/png" "$work/cards.pdf" >/dev/null 2>"$work/err"
check "a card without an address or with six postal digits is done in part, exit 3" 3 $?
check "and each is named" "$(printf '%s\n' \
  "quillbook: card 3 (佐藤 次郎) has no address: left out of $work/cards.pdf" \
  "quillbook: card 4 (田中 三郎): the postal code 123-456 is not seven digits: printed without it in $work/cards.pdf")" \
  "$(cat "$work/err")"
check "one page a printed card, its digits in their boxes, its columns inside the card" "$(printf '%s\n' \
  '1050011/1500001 東京都港区芝公園四ー二ー八 ＡＢＣビル５Ｆ 山田太郎様 東京都渋谷区神宮前一丁目二三番地 青山ハイツ一〇一号 山本一郎' \
  '1050011/1500001 大阪府大阪市北区梅田一〇ー一 鈴木商事御中 東京都渋谷区神宮前一丁目二三番地 青山ハイツ一〇一号 山本一郎' \
  '/1500001 京都府京都市中京区一ー一 田中三郎様 東京都渋谷区神宮前一丁目二三番地 青山ハイツ一〇一号 山本一郎')" \
  "$(pages "$work/cards.pdf")"
check "and a preview of each" "page-001.png page-002.png page-003.png" "$(cd "$work/png" && echo *)"

"$quillbook" --data "$work/data" postcard --ids 1 --hyphen の --honorific 先生 --no-sender \
  --offset 1,-1 "$work/one.pdf" >/dev/null
check "--ids, --hyphen, --honorific, --no-sender, exit 0; --offset moves the name off the centre" \
  "0 1050011/ 東京都港区芝公園四の二の八 ＡＢＣビル５Ｆ 山田太郎先生 name" "$? $(pages "$work/one.pdf")"
"$quillbook" --data "$work/data" postcard --offset 30,0 "$work/bad.pdf" 2>/dev/null
check "an offset of more than a margin exits 2 and writes nothing" "2 no" "$? $([ -e "$work/bad.pdf" ] || echo no)"

report
