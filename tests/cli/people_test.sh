#!/usr/bin/env bash
# quillbook with the files people bring: spreadsheets' CSV in UTF-8 and code
# page 932, vCards as phones and webmail write them, and failures that say
# what happened.
source "$(dirname "$0")/check.sh"
files="$(dirname "$0")/files"
columns=名前,読み,電話番号1,メール1,住所,メモ
cards() {  # a book's cards past the owner: name to memo
  "$quillbook" --data "$1" list | tail -n +2 | cut -f 2-19
}
fresh() {  # a new, empty data folder
  rm -rf "$work/$1"
  mkdir "$work/$1"
  echo "$work/$1"
}
card() {  # name reading group postal address, then phone and mail type/text pairs, memo
  local IFS=$'\t'
  echo "$*"
}

yamada=$(card '山田 太郎' 'ﾔﾏﾀﾞ ﾀﾛｳ' '' '' 東京都港区芝公園4-2-8 0 090-1234-5678 0 '' 0 '' \
  0 taro@example.jp 0 '' 0 '' 会議は10時～)
yoshida=$(card '?田 花子' 'ﾖｼﾀﾞ ﾊﾅｺ' '' '' '大阪府大阪市北区梅田1-1, 2F' 0 03-1111-2222 0 '' 0 '' \
  0 hanako@example.jp 0 '' 0 '' 'ﾒﾓ "引用"')
victoria=$(card ヴィクトリア・スミス 'ｳﾞｨｸﾄﾘｱ' '' '' '' 0 '+44 20 7946 0000' 0 '' 0 '' \
  0 v@example.co.uk 0 '' 0 '' '')

# Both spreadsheet files give the same cards; the UTF-8 one holds a
# character that code page 932 lacks.
for file in spreadsheet-utf8.csv spreadsheet-cp932.csv; do
  data=$(fresh "$file")
  out=$("$quillbook" --data "$data" import --comma --narrow-readings --columns "$columns" \
    "$files/$file")
  check "$file imports into a new book, exit 0" 0 $?
  expected=$(printf '%s\n' "$yamada" "$yoshida" "$victoria")
  [ "$file" = spreadsheet-cp932.csv ] && expected=${expected/\?田/吉田}
  check "$file gives the three cards, readings narrowed" "$expected" "$(cards "$data")"
  check "$file starts from the owner's card" ユーザー "$("$quillbook" --data "$data" list | head -1 | cut -f 2)"
done
check "the import says what it did" "$(printf '%s\n' \
  "a new address book: $work/spreadsheet-utf8.csv/Quillbook/Quillbook.dat" '3 cards added' \
  'read as UTF-8 (its byte-order mark)' \
  'line 3: a character that code page 932 cannot hold, written as ?' '1 character written as ?')" \
  "$("$quillbook" --data "$(fresh again)" import --comma --narrow-readings --columns "$columns" \
    "$files/spreadsheet-utf8.csv" | sed "s|$work/again|$work/spreadsheet-utf8.csv|")"
out=$("$quillbook" --data "$(fresh trial)" import --dry-run --comma --columns "$columns" \
  "$files/spreadsheet-utf8.csv")
check "a trial names each line's problems: the lost character, the wide readings" "$(printf '%s\n' \
  'line 2: a reading that is not half-width, which the panel will not save (--narrow-readings narrows kana)' \
  'line 3: a character that code page 932 cannot hold, written as ?; a reading that is not half-width, which the panel will not save (--narrow-readings narrows kana)' \
  'line 4: a reading that is not half-width, which the panel will not save (--narrow-readings narrows kana)' \
  '3 cards would be added')" "$(head -4 <<<"$out")"
check "and writes no book" "" "$(ls "$work/trial")"
"$quillbook" --data "$(fresh forced)" import --encoding cp932 --comma --columns "$columns" \
  "$files/spreadsheet-utf8.csv" >/dev/null
check "--encoding cp932 reads UTF-8 as code page 932" 1 "$(cards "$work/forced" | grep -c '^螻')"

# Export: code page 932 as the settings screen writes, or UTF-8.
data="$work/spreadsheet-cp932.csv"
utf8=$("$quillbook" --data "$data" export --columns "$columns" - | iconv -f CP932 -t UTF-8 | od -An -tx1)
check "--encoding utf-8 exports the same text as UTF-8, after the mark spreadsheets look for" \
  "$(printf '\357\273\277' | od -An -tx1)$utf8" \
  "$("$quillbook" --data "$data" export --encoding utf-8 --columns "$columns" - | od -An -tx1 -w3 | head -1)$(
    "$quillbook" --data "$data" export --encoding utf-8 --no-bom --columns "$columns" - | od -An -tx1)"
# A terminal shows UTF-8; script gives the command one and adds a CR to each line end.
check "export - to a terminal writes UTF-8, without a mark" "$utf8" "$(script -qec \
  "'$quillbook' --data '$data' export --columns '$columns' -" /dev/null | tr -d '\r' | sed 's/$/\r/' |
  od -An -tx1)"
"$quillbook" --data "$data" export --encoding utf-8 --comma --columns "$columns" "$work/out.csv"
check "and to a file" "$(tail -n +2 "$files/spreadsheet-cp932.csv" | iconv -f CP932 -t UTF-8 | cut -d, -f 1)" \
  "$(tail -n +3 "$work/out.csv" | cut -d, -f 1)"

# What auto makes of each file: the cards it gives and what it says (FILE
# standing for the file's path).
while IFS='|' read -r what make bytes args names said; do
  case "$make" in
    raw) printf '%b' "$bytes" ;;
    cp932) printf '%b' "$bytes" | to_cp932 ;;
    utf16le) printf '\xff\xfe' && printf '%b' "$bytes" | iconv -f UTF-8 -t UTF-16LE ;;
    utf16be) printf '\xfe\xff' && printf '%b' "$bytes" | iconv -f UTF-8 -t UTF-16BE ;;
    unmarked) printf '%b' "$bytes" | iconv -f UTF-8 -t UTF-16LE ;;
  esac >"$work/encoded.txt"
  data=$(fresh encoded)
  # shellcheck disable=SC2086
  out=$("$quillbook" --data "$data" import $args "$work/encoded.txt" 2>&1)
  status=$?
  [ "$status" -ne 0 ] && out+=$'\n'"exit $status"
  check "$what: what it says" "${said//FILE/$work/encoded.txt}" \
    "$(grep -v '^a new address book' <<<"$out" | paste -sd'~' | sed 's|~| / |g')"
  check "$what: the cards" "$names" "$(cards "$data" | cut -f 1 | paste -sd,)"
done <<'ROWS'
UTF-8 with its mark|raw|\xef\xbb\xbfh\r\n山田,ﾔﾏﾀﾞ\r\n|--comma --columns 名前,読み|山田|1 card added / read as UTF-8 (its byte-order mark)
UTF-8 without a mark|raw|h\r\n山田,ﾔﾏﾀﾞ\r\n|--comma --columns 名前,読み|山田|1 card added / read as UTF-8
UTF-8 with a stray Latin-1 byte|raw|h\r\n山田,ﾔﾏﾀﾞ\r\ncaf\xe9,ｶﾌｪ\r\n鈴木,ｽｽﾞｷ\r\n|--comma --columns 名前,読み|山田,caf?,鈴木|3 cards added / read as UTF-8, but for 1 run of bytes that are no UTF-8, written as ? / line 3: bytes that are no character of the file's encoding, written as ? / 1 character written as ?
UTF-16 LE with its mark|utf16le|h\r\n山田,ﾔﾏﾀﾞ\r\n|--comma --columns 名前,読み|山田|1 card added / read as UTF-16 LE (its byte-order mark)
UTF-16 BE with its mark|utf16be|h\t\r\n山田\tﾔﾏﾀﾞ\r\n|--columns 名前,読み|山田|1 card added / read as UTF-16 BE (its byte-order mark)
UTF-16 without its mark|unmarked|h\r\n山田,ﾔﾏﾀﾞ\r\n|--comma --columns 名前,読み||quillbook: the import file FILE is no text: a quarter of its bytes or more are NUL (UTF-16 without its byte-order mark?); save it as UTF-8 or code page 932 / exit 1
UTF-16 that --encoding says is not|utf16le|h\r\n山田\r\n|--encoding cp932 --columns 名前||quillbook: the import file FILE is UTF-16 (its byte-order mark says so), not cp932: leave out --encoding to read it / exit 1
Shift_JIS whose only non-ASCII is half-width katakana|raw|h\r\n\xce\xbc \xd0\xb6\r\n|--columns 名前|ﾎｼ ﾐｶ|1 card added / read as code page 932, the book's own, though it is UTF-8 too: its only bytes past ASCII are half-width katakana (--encoding utf-8 reads it as UTF-8)
and --encoding utf-8 settles it|raw|h\r\n\xce\xbc \xd0\xb6\r\n|--encoding utf-8 --columns 名前|μ ж|1 card added
Shift_JIS kanji|cp932|h\r\n山田\r\n|--columns 名前|山田|1 card added / read as code page 932
overlong forms and surrogates are no UTF-8|raw|h\r\nA\xc0\xaf,\xed\xa0\x80\r\n|--comma --columns 名前,メモ|Aﾀｯ|1 card added / read as code page 932
an unknown CHARSET that is UTF-8|raw|BEGIN:VCARD\r\nFN;CHARSET=UTF_8:山田\r\nSORT-STRING:y\r\nEND:VCARD\r\n|--vcard|山田|1 card added / read as UTF-8
an unknown CHARSET that is not UTF-8 either|raw|BEGIN:VCARD\r\nFN;CHARSET=X-UTF8:caf\xe9\r\nSORT-STRING:y\r\nEND:VCARD\r\n|--vcard|caf?|1 card added / read as code page 932 / line 1: an unknown CHARSET whose values are not UTF-8 either, their stray bytes written as ? (--dry-run names them) / 1 character written as ?
CR line ends with one stray LF|raw|h\ra\rb\nc\rd\r|--columns 名前|a,b c,d|3 cards added
ROWS

# vCards as phones and webmail write them.
data=$(fresh vcards)
for file in iphone android feature-phone webmail; do
  "$quillbook" --data "$data" import --vcard --narrow-readings "$files/$file.vcf" >/dev/null
  check "$file.vcf imports" 0 $?
done
check "each vCard gives its card" "$(printf '%s\n' \
  "$(card '山田 太郎' 'ﾔﾏﾀﾞ ﾀﾛｳ' '' 105-0011 東京都港区芝公園4-2-8 1 090-1234-5678 0 03-1234-5678 \
    2 03-9876-5432 0 taro@example.jp 0 '' 0 '' \
    折り返された長いメモです。七十五オクテットを超える行は次の行に空白一つで続きます。)" \
  "$(card '鈴木 一郎' 'ｽｽﾞｷ ｲﾁﾛｳ' '' 220-0012 神奈川県横浜市みなとみらい1-1 1 080-1111-2222 0 \
    045-123-4567 0 '' 0 ichiro@example.com 0 '' 0 '' '一行目 二行目の続き')" \
  "$(card 'ソ田 表子' 'ｿﾀﾞ ﾋｮｳｺ' 友人 '' '' 1 09012345678 0 '' 0 '' 1 hyoko@docomo.ne.jp 0 '' 0 '' '')" \
  "$(card 'Jane Doe' 'Doe Jane' friends 62701 '123 Main Street, Springfield, IL, USA' 1 \
    +1-555-555-0100 2 +1-555-555-0101 0 '' 2 jane.doe@example.com 0 jane@example.org 0 '' \
    'Met at the conference, 2023 Likes tea')")" "$(cards "$data")"
check "their groups get their folders in Group.dat" "$(printf '友人\nfriends')" \
  "$("$quillbook" --data "$data" groups)"
check "a trial names the groups it would add" "groups that would be added to Group.dat: 友人" \
  "$("$quillbook" --data "$(fresh trial-groups)" import --vcard --dry-run "$files/feature-phone.vcf" |
    grep '^groups')"
# A Group.dat of ten names takes no more, and one not read whole is left as
# it is; the cards come in either way.
for kind in ten cut; do
  groups=$(fresh groups)
  mkdir "$groups/Quillbook"
  case $kind in
    ten) printf 'g%d\r\n' $(seq 10) && why='since Group.dat holds ten' ;;
    cut) printf 'a\r\nb' && why='since Group.dat could not be read whole and is left as it is' ;;
  esac >"$groups/Quillbook/Group.dat"
  before=$(od -c "$groups/Quillbook/Group.dat")
  out=$("$quillbook" --data "$groups" import --vcard "$files/feature-phone.vcf")
  check "a Group.dat $why: the import says which group it did not add" \
    "0 1 card added groups not added, $why: 友人" "$? $(grep '^[1g]' <<<"$out" | paste -sd' ')"
  check "and leaves Group.dat as it was" "$before" "$(od -c "$groups/Quillbook/Group.dat")"
done
for row in \
  'iphone|line 1: fields a card cannot hold, left out: ORG, a fourth phone (03-9876-5433)' \
  'webmail|line 1: fields a card cannot hold, left out: a second address, another category (work)' \
  'android|' \
  'org-only|line 1: no reading, which the panel asks for before it saves the card'; do
  check "a trial of ${row%%|*}.vcf names what did not fit" "${row#*|}" \
    "$("$quillbook" --data "$data" import --vcard --dry-run --narrow-readings \
      "$files/${row%%|*}.vcf" | grep '^line')"
done

# A vCard export imported again gives back every card's fields.
"$quillbook" --data "$data" export --vcard "$work/all.vcf"
check "export --vcard writes one vCard a card" 5 "$(grep -c '^BEGIN:VCARD' "$work/all.vcf")"
check "folded within 75 bytes" 0 "$(tr -d '\r' <"$work/all.vcf" | awk 'length($0) > 75' | wc -l)"
round=$(fresh round)
"$quillbook" --data "$round" import --vcard "$work/all.vcf" >/dev/null
check "the round trip keeps every field" "$("$quillbook" --data "$data" list | cut -f 2-19)" \
  "$(cards "$round")"

check "show prints one card for a person" "$(printf '%s\n' 'ID           4' 'Name         Jane Doe' \
  'Reading      Doe Jane' 'Group        friends' 'Postal code  62701' \
  'Address      123 Main Street, Springfield, IL, USA' 'Phone 1      +1-555-555-0100 (mobile)' \
  'Phone 2      +1-555-555-0101 (work)' 'Mail 1       jane.doe@example.com (work)' \
  'Mail 2       jane@example.org (home)' 'Memo         Met at the conference, 2023 Likes tea')" \
  "$("$quillbook" --data "$data" show 4 | head -11)"

# Failures name the file and the reason; bad arguments exit 2. A limit of a
# kilobyte a file fails the card file's write, as a full disk would.
printf 'NUL\0byte\r\n' > "$work/nul.txt"
printf 'a\rb\rc\r' > "$work/mac.txt"
for row in \
  "1|import --vcard $files/iphone.vcf|cannot write the card file $data/Quillbook/Quillbook.dat: File too large" \
  "1|import --vcard $files/spreadsheet-utf8.csv|the import file $files/spreadsheet-utf8.csv holds no vCard (no line BEGIN:VCARD)" \
  "2|export --vcard $data/Quillbook/Quillbook.dat|$data/Quillbook/Quillbook.dat is the address book's own file; choose another FILE" \
  "2|import --encoding latin1 --vcard x|--encoding takes auto, cp932 or utf-8, not latin1" \
  "2|show 501|show needs an ID from 0 to 500, as list prints it: 501" \
  "1|show 9|no card has the ID 9"; do
  IFS='|' read -r status args message <<<"$row"
  # shellcheck disable=SC2086
  out=$(ulimit -f 1 && trap '' XFSZ && "$quillbook" --data "$data" $args 2>&1 >/dev/null)
  check "exit $status: $args" "$status quillbook: $message" "$? $(head -1 <<<"$out")"
done
check "a NUL byte is named" "line 1: a NUL byte, where its field's text ends" \
  "$("$quillbook" --data "$data" import --dry-run --no-heading --columns 名前 "$work/nul.txt" | head -1)"
check "lines ended by CR alone are lines" "3 cards would be added" \
  "$("$quillbook" --data "$data" import --dry-run --no-heading --columns 名前 "$work/mac.txt")"
"$quillbook" --help | grep -q '名前, 読み'
check "--help is UTF-8" 0 $?

report
