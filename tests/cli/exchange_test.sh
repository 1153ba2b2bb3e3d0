#!/usr/bin/env bash
# quillbook export and import from the shell, on card files and exchange
# files written byte for byte here.
source "$(dirname "$0")/check.sh"
from_cp932() { iconv -f CP932 -t UTF-8; }
# od of a file, so that CRs and missing line ends show.
bytes() { od -An -c "$@"; }

heading='名前\t読み\tｸﾞﾙｰﾌﾟ\t郵便番号\t住所\t電話番号種別1\t電話番号1\t電話番号種別2\t電話番号2\t電話番号種別3\t電話番号3\tメール種別1\tメール1\tメール種別2\tメール2\tメール種別3\tメール3\tメモ\t作成日\t最終更新日\t更新回数'
card() {  # name reading address phone-type phone memo
  printf '%s\t%s\t\t\t%s\t%s\t%s\t0\t\t0\t\t0\t\t0\t\t0\t\t%s\t2020/1/1  00:00\t2020/1/1  00:00\t1\r\n' "$@"
}
book() {  # folder, then the card lines on standard input
  mkdir -p "$1/Quillbook"
  { printf "$heading\r\n"; cat; } | to_cp932 > "$1/Quillbook/Quillbook.dat"
}
names() {  # the names of a book's cards, one a line
  "$quillbook" --data "$1" list | cut -f 2
}

data="$work/data"
{
  card ユーザー ﾕｰｻﾞｰ '' 0 '' ''
  card 山田太郎 ﾔﾏﾀﾞ '東京都,港区' 2 03-1234 'a"b'
} | book "$data"
before=$(bytes "$data/Quillbook/Quillbook.dat")

"$quillbook" --data "$data" export --columns 名前,,電話番号1 "$work/out.txt"
check "export exits 0" 0 $?
check "export writes the heading and a line per card" \
  "$(printf '名前\t \t電話番号1\r\nユーザー\t\t\r\n山田太郎\t\t03-1234\r\n' | to_cp932 | bytes)" \
  "$(bytes "$work/out.txt")"
check "- is standard output, with the same bytes" "$(bytes "$work/out.txt")" \
  "$("$quillbook" export --data "$data" --columns 名前,,電話番号1 - | bytes)"
check "export leaves the card file as it was" "$before" "$(bytes "$data/Quillbook/Quillbook.dat")"
# Every export refuses the book's own files however they are reached: a
# spelling, a link to them, a linked folder, and the file that a linked
# Quillbook.dat leads to.
ln -s "$data/Quillbook/Quillbook.dat" "$work/book-link"
ln -s "$data" "$work/data-link"
linked="$work/linked"
mkdir -p "$linked/Quillbook"
cp "$data/Quillbook/Quillbook.dat" "$work/real.dat"
ln -s "$work/real.dat" "$linked/Quillbook/Quillbook.dat"
printf 'vCard backup\r\n' > "$work/backup.vcf"
for format in "export --columns 名前" "export --encoding utf-8 --columns 名前" "export --vcard" \
  "postcard"; do
  for target in "$data|$data/Quillbook/./Quillbook.dat" "$data|$data/../data/Quillbook/Group.dat" \
    "$data|$work/book-link" "$data|$work/data-link/Quillbook/Quillbook.dat" \
    "$linked|$work/real.dat"; do
    # shellcheck disable=SC2086
    "$quillbook" --data "${target%|*}" $format "${target#*|}" >/dev/null 2>&1
    check "$format onto the book's own file ${target#*|} is refused" 1 $(($? != 0))
  done
done
check "and leaves the card file as it was" "$before $before" \
  "$(bytes "$data/Quillbook/Quillbook.dat") $(bytes "$work/real.dat")"
# A Quillbook.dat that leads nowhere is no new book: nothing reads it as one.
dangling="$work/dangling"
mkdir -p "$dangling/Quillbook"
ln -s "$work/gone.dat" "$dangling/Quillbook/Quillbook.dat"
for command in list "search 名前" "export --vcard $work/backup.vcf" "import --columns 名前 $work/in.txt"; do
  # shellcheck disable=SC2086
  message=$("$quillbook" --data "$dangling" $command 2>&1 >/dev/null)
  check "$command of a card file that links to nothing exits 1, saying so" \
    "1 quillbook: cannot read the card file $dangling/Quillbook/Quillbook.dat: a link to a file that is not there" \
    "$? $message"
done
check "and a backup stays as it was" "vCard backup" "$(tr -d '\r' <"$work/backup.vcf")"
mkfifo "$work/pipe"
"$quillbook" --data "$data" import --columns 名前 "$work/pipe" 2>/dev/null
check "an import from a pipe is refused, not waited on" 1 $?
mkdir -p "$work/piped/Quillbook" && mkfifo "$work/piped/Quillbook/Quillbook.dat"
message=$(timeout 10 "$quillbook" --data "$work/piped" search 名前 2>&1)
check "a search of a pipe in place of the card file fails, not waited on" \
  "1 quillbook: cannot read the card file $work/piped/Quillbook/Quillbook.dat: not a plain file" \
  "$? $message"
check "a type column is a number; commas quoted, a lone quote bare" \
  "$(printf ' , , ,住所,電話番号種別1,メモ\r\n,,,,0,\r\n,,,"東京都,港区",2,a"b\r\n' | to_cp932 | bytes)" \
  "$("$quillbook" --data "$data" export --comma --columns ,,,住所,電話番号種別1,メモ - | bytes)"
check "--no-heading writes the cards alone" "$(printf 'ﾕｰｻﾞｰ\r\nﾔﾏﾀﾞ\r\n' | to_cp932 | bytes)" \
  "$("$quillbook" --data "$data" export --no-heading --columns 読み - | bytes)"

empty="$work/empty"
book "$empty" </dev/null
check "a book without cards exports its heading line" "$(printf '名前,メモ\r\n' | to_cp932 | bytes)" \
  "$("$quillbook" --data "$empty" export --comma --columns 名前,メモ - | bytes)"
check "or nothing without one" "" \
  "$("$quillbook" --data "$empty" export --no-heading --columns 名前 - | bytes)"

# Import: the heading line is skipped even when it holds a card; an empty
# line is none; a short line leaves fields empty; quoted columns as
# spreadsheets write them.
printf '佐藤,ｻﾄｳ\r\n"Anytown, WW",x,y\r\n\r\n鈴木\r\n"a",b\r\n' | to_cp932 > "$work/in.csv"
out=$("$quillbook" --data "$empty" import --comma --columns 住所,読み "$work/in.csv")
check "import exits 0" 0 $?
check "and says how many cards it added, and how it read the file" \
  "$(printf '3 cards added\nread as code page 932')" "$out"
# They have no name, which the loading gives them.
check "the cards are appended in file order" \
  "$(printf '0\t（名前なし）\tx\t\t\tAnytown, WW\n1\t（名前なし）\t\t\t\t鈴木\n2\t（名前なし）\tb\t\t\ta')" \
  "$("$quillbook" --data "$empty" list | cut -f 1-6)"

# A quoted cell of several lines, as spreadsheets write one.
cells="$work/cells"
book "$cells" </dev/null
printf 'h\r\n1,"京都市\r\n左京区",075\r\n2,b,c\r\n' | to_cp932 > "$work/cells.csv"
"$quillbook" --data "$cells" import --comma --columns 名前,住所,郵便番号 "$work/cells.csv" >/dev/null
check "a cell of two lines is one card, its line break a blank, the columns after it in place" \
  "$(printf '1\t075\t京都市 左京区\n2\tc\tb')" "$("$quillbook" --data "$cells" list | cut -f 2,5,6)"

# A round trip through each format gives back every field.
round="$work/round"
book "$round" </dev/null
for delimiter in '' --comma; do
  "$quillbook" --data "$data" export $delimiter --columns 名前,読み,住所,電話番号種別1,電話番号1,メモ \
    "$work/round.txt"
  book "$round" </dev/null
  "$quillbook" --data "$round" import $delimiter --columns 名前,読み,住所,電話番号種別1,電話番号1,メモ \
    "$work/round.txt" >/dev/null
  check "a round trip ${delimiter:-with tabs} keeps every field" \
    "$("$quillbook" --data "$data" list | cut -f 2-8,19)" \
    "$("$quillbook" --data "$round" list | cut -f 2-8,19)"
done

# The 500-card limit.
full="$work/full"
for i in $(seq 1 490); do card "c$i" '' '' 0 '' ''; done | book "$full"
for i in $(seq 1 20); do printf 'n%d\r\n' "$i"; done > "$work/twenty.txt"
cp "$full/Quillbook/Quillbook.dat" "$work/490.dat"
check "490 and 20 import 10, exit 3 and say how many lines were left out" \
  "3 10 cards added quillbook: the book holds 500 cards: 10 lines of $work/twenty.txt left out" \
  "$(echo $("$quillbook" --data "$full" import --no-heading --columns 名前 "$work/twenty.txt" 2>&1; echo $?) | sed 's/\(.*\) \([0-9]\)$/\2 \1/')"
cp "$work/490.dat" "$full/Quillbook/Quillbook.dat"
"$quillbook" --data "$full" import --no-heading --columns 名前 "$work/twenty.txt" >/dev/null 2>&1
check "the book then holds 500 cards, the tenth line last" "500 n10" \
  "$(names "$full" | wc -l) $(names "$full" | tail -1)"
out=$("$quillbook" --data "$full" import --no-heading --columns 名前 "$work/twenty.txt" 2>&1)
check "a full book imports nothing and says why" \
  "3 0 cards added quillbook: the book holds 500 cards: 20 lines of $work/twenty.txt left out" \
  "$? $(echo $out)"
check "and is unchanged" 500 "$(names "$full" | wc -l)"

# A trial run reports and writes nothing.
for i in $(seq 1 496); do card "c$i" '' '' 0 '' ''; done | book "$full"
before=$(bytes "$full/Quillbook/Quillbook.dat")
printf 'h\r\nok,1\r\nshort\r\nlong,12345678901234567\r\na,b,c\r\nover\r\n' > "$work/trial.csv"
out=$("$quillbook" --data "$full" import --dry-run --comma --columns 名前,郵便番号 "$work/trial.csv" 2>/dev/null)
check "--dry-run names each line's problem and the count" \
  "$(printf '%s\n' 'line 3: fewer columns than the list, the rest left empty' \
    'line 4: a text cut at its field'"'"'s width' \
    'line 5: more columns than the list, the rest dropped' \
    'line 6: not imported: the book would hold 500 cards' \
    '4 cards would be added')" "$out"
check "--dry-run leaves the card file as it was" "$before" "$(bytes "$full/Quillbook/Quillbook.dat")"

# A running panel's mark stops an import, not a trial or a forced one.
touch "$empty/Quillbook/Quillbook.lock"
before=$(bytes "$empty/Quillbook/Quillbook.dat")
message=$("$quillbook" --data "$empty" import --columns 名前 "$work/in.csv" 2>&1)
check "an import beside a running panel exits 1" 1 $?
check "and says why" 1 "$(grep -c 'open in a panel' <<<"$message")"
check "and adds nothing" "$before" "$(bytes "$empty/Quillbook/Quillbook.dat")"
"$quillbook" --data "$empty" import --dry-run --columns 名前 "$work/in.csv" >/dev/null
check "a trial run is not stopped" 0 $?
"$quillbook" --data "$empty" import --force --columns 名前 "$work/in.csv" >/dev/null
check "--force overrides the mark" "0 3" "$? $("$quillbook" --data "$empty" list | tail -n +4 | wc -l)"
rm "$empty/Quillbook/Quillbook.lock"

# Two imports at once, trial after trial: the second waits for the first
# one's lock, or gives up and says so; every card of an import that said it
# was done is in the book, once.
for side in a b; do
  for i in $(seq 1 20); do printf '%s%d\r\n' "$side" "$i"; done > "$work/$side.txt"
done
race="$work/race"
trials=32
missing=0
refused=0
started=$(date +%s%N)
for trial in $(seq 1 "$trials"); do
  book "$race" </dev/null
  for side in a b; do
    {
      "$quillbook" --data "$race" import --no-heading --columns 名前 "$work/$side.txt" >/dev/null 2>&1
      echo $? >"$work/status.$side"
    } &
  done
  wait
  # The names are ASCII: the card file's first column holds them as listed.
  listed=$(cut -f 1 "$race/Quillbook/Quillbook.dat" | tr -d '\r')
  for side in a b; do
    kept="$(grep -x "$side[0-9]*" <<<"$listed" | sort -u | wc -l) $(grep -cx "$side[0-9]*" <<<"$listed")"
    case "$(cat "$work/status.$side") $kept" in
      "0 20 20") ;;
      "1 0 0") refused=$((refused + 1)) ;;
      *) missing=$((missing + 1)) ;;
    esac
  done
done
echo "two imports at once: $trials trials in $((($(date +%s%N) - started) / 1000000)) ms, $refused refused"
check "two imports at once lose no card of one that exited 0" 0 "$missing"

# A writer that holds the lock for longer than the wait is named.
book "$race" </dev/null
before=$(bytes "$race/Quillbook/Quillbook.dat")
/usr/bin/python3 -c '
import fcntl, os, sys, time
fd = os.open(sys.argv[1], os.O_RDWR | os.O_CREAT)
fcntl.lockf(fd, fcntl.LOCK_EX)
print("held", flush=True)
time.sleep(30)
' "$race/Quillbook/Quillbook.dat.lock" > "$work/held" &
holder=$!
until [ -s "$work/held" ]; do sleep 0.05; done
message=$(QUILLBOOK_LOCK_SECONDS=1 "$quillbook" --data "$race" import --no-heading --columns 名前 \
  "$work/a.txt" 2>&1)
check "an import that waited in vain exits 1, naming the other writer" \
  "1 quillbook: the address book is being written by process $holder (/usr/bin/python3" \
  "$? ${message%% -c*}"
check "and writes nothing" "$before" "$(bytes "$race/Quillbook/Quillbook.dat")"
kill "$holder"

# Failures exit 1 with their message, bad arguments 2.
message=$("$quillbook" --data "$data" import --columns 名前 "$work/none.txt" 2>&1)
check "a missing import file exits 1" 1 $?
check "naming the file and the reason" \
  "quillbook: cannot open the import file $work/none.txt: No such file or directory" "$message"
message=$("$quillbook" --data "$data" export --columns 名前 "$work/no/such/dir.txt" 2>&1)
check "an export file that cannot be made exits 1 with the reason" \
  "1 quillbook: cannot create the export file $work/no/such/dir.txt: No such file or directory" \
  "$? $message"
mkdir "$work/nobook"
check "a folder without a book exports its owner card and stays empty" "ユーザー " \
  "$("$quillbook" --data "$work/nobook" export --no-heading --columns 名前 - | iconv -f CP932 -t UTF-8 |
    tr -d '\r') $(ls "$work/nobook")"
for args in "export --columns 氏名 -" "export --columns 名前,名前 -" "export --columns ,, -" \
  "export -" "export --columns 名前" "import --columns 名前 -" "export --dry-run --columns 名前 -" \
  "list --comma" "export --columns 名前 a b"; do
  # shellcheck disable=SC2086
  "$quillbook" --data "$data" $args >/dev/null 2>&1
  check "bad arguments exit 2: $args" 2 $?
done
message=$("$quillbook" --data "$data" export --columns ,, - 2>&1)
check "only blank columns is refused" "quillbook: --columns names blank columns only" \
  "$(head -1 <<<"$message")"

report
