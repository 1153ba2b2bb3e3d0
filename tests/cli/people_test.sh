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
