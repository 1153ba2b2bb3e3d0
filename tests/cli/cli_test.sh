#!/usr/bin/env bash
# The command-line companion on files written by another program.
source "$(dirname "$0")/check.sh"

mkdir -p "$work/data/Quillbook"
# Written elsewhere: LF line ends, a short line, a missing field, a type
# field without digits and a last line without its line end.
{
  printf 'heading\n'
  printf '山田\tﾔﾏﾀﾞ\t友人\t100-0001\t東京都\t\t03-1111\t1\t090\t2\t\t0\t\t0\t\t0\t\tメモ\t2020/1/2  03:04\t2020/1/2  03:04\t5\n'
  printf 'short\n'
  printf 'ソ\t表\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t2021/1/1  00:00\t2021/1/1  00:00\t9'
} | to_cp932 > "$work/data/Quillbook/Quillbook.dat"
printf '家族\r\n友人\r\n' | to_cp932 > "$work/data/Quillbook/Group.dat"

expected=$(printf '0\t山田\tﾔﾏﾀﾞ\t友人\t100-0001\t東京都\t0\t03-1111\t1\t090\t2\t\t0\t\t0\t\t0\t\tメモ\t2020/1/2  03:04\t2020/1/2  03:04\t5\n1\tソ\t表\t\t\t\t0\t\t0\t\t0\t\t0\t\t0\t\t0\t\t\t2021/1/1  00:00\t2021/1/1  00:00\t0')
check "list prints the cards as loaded" "$expected" "$("$quillbook" --data "$work/data" list)"
check "options may follow the command" "$expected" "$("$quillbook" list --data "$work/data")"
check "QUILLBOOK_DATA names the folder" "$expected" "$(QUILLBOOK_DATA="$work/data" "$quillbook" list)"
check "--cp932 prints the stored bytes" "$(printf '%s\n' "$expected" | to_cp932 | od -An -tx1)" \
  "$("$quillbook" --data "$work/data" --cp932 list | od -An -tx1)"
check "groups prints one name a line" "$(printf '家族\n友人')" "$("$quillbook" groups --data "$work/data")"

mkdir "$work/new"
owner=$("$quillbook" --data "$work/new" list | cut -f 1,2,3)
check "a folder without a book lists the default owner card" "$(printf '0\tユーザー\tﾕｰｻﾞｰ')" "$owner"
check "a missing group file lists nothing" "" "$("$quillbook" --data "$work/new" groups)"
message=$("$quillbook" --data "$work/none" list 2>&1)
check "a data folder that is not there exits 1, naming it" \
  "1 quillbook: the data folder $work/none: No such file or directory" "$? $message"
# The book's own folder, one level too deep, would read as an empty book.
mkdir -p "$work/typo/Quillbook" "$work/home/Quillbook/Quillbook"
for row in "data/Quillbook|data" "typo/Quillbook/|typo" "home/Quillbook/Quillbook|home/Quillbook"; do
  message=$("$quillbook" --data "$work/${row%|*}" import --no-heading --columns 名前 /dev/null 2>&1)
  check "--data ${row%|*} is refused, naming its parent" \
    "2 quillbook: $work/${row%|*} is the book's own folder, not its data folder: the data folder is its parent, $work/${row#*|}" \
    "$? $(head -1 <<<"$message")"
done
check "and nothing is written there" "" "$(ls "$work/typo/Quillbook")"
check "a data folder named like the book's that holds one is a data folder" 0 \
  "$("$quillbook" --data "$work/home/Quillbook" list >/dev/null; echo $?)"

yamada='山田 (ﾔﾏﾀﾞ) [ 友人 ] : "03-1111"'
check "search prints the matching cards" "$yamada" "$("$quillbook" --data "$work/data" search 03)"
check "search's words are alternatives" "$yamada" "$("$quillbook" search --data "$work/data" '99 03')"
check "--every-line gives one line for each card line" "$(printf '%s\n\n\n.' "$yamada")" \
  "$("$quillbook" --data "$work/data" search --every-line 03; echo .)"
# The short line has no tab, so even its name is empty.
check "an empty text matches every card on its name" \
  "$(printf '山田 (ﾔﾏﾀﾞ) [ 友人 ] : "山田"\n () [  ] : ""\nソ (表) [  ] : "ソ"')" \
  "$("$quillbook" --data "$work/data" search '')"
check "a second byte is never a backslash" "" "$("$quillbook" --data "$work/data" search '\')"
check "case and width are not folded" "" "$("$quillbook" --data "$work/data" search ０３)"
check "--phone narrows and drops the marks" "$yamada" \
  "$("$quillbook" --data "$work/data" search --phone '（０３）１１１１')"
check "-- lets TEXT begin with -" "$yamada" "$("$quillbook" --data "$work/data" search -- -1111)"
reading='山田 (ﾔﾏﾀﾞ) [ 友人 ] : "ﾔﾏﾀﾞ"'
check "--fold and --fold-voicing find a reading typed in hiragana or romaji" \
  "$(printf '%s\n%s' "$reading" "$reading")" \
  "$("$quillbook" --data "$work/data" search --fold やまだ
     "$quillbook" --data "$work/data" search --fold-voicing yamata)"
"$quillbook" --data "$work/data" search --fold --phone 03 >/dev/null 2>&1
check "--fold with --phone exits 2" 2 $?
check "search --cp932 prints the stored bytes" "$(printf '%s\n' "$yamada" | to_cp932 | od -An -tx1)" \
  "$("$quillbook" --data "$work/data" --cp932 search 03 | od -An -tx1)"
check "a missing file finds nothing" "" "$("$quillbook" --data "$work/new" search '')"
message=$("$quillbook" --data "$work/data" search '𠀋' 2>&1 >/dev/null)
check "a character code page 932 lacks exits 2" 2 $?
check "and says so" 1 "$(grep -c 'code page 932' <<<"$message")"
"$quillbook" --data "$work/data" search >/dev/null 2>&1
check "search without TEXT exits 2" 2 $?
"$quillbook" --data "$work/data" --phone list >/dev/null 2>&1
check "--phone outside search exits 2" 2 $?

# What a command prints must arrive: a full disk is a failure, named.
for command in list "show 0" groups "search 03" "export --vcard -" --help; do
  # shellcheck disable=SC2086
  message=$("$quillbook" --data "$work/data" $command 2>&1 >/dev/full)
  check "$command to a full disk exits 1, saying so" \
    "1 quillbook: cannot write to standard output: No space left on device" "$? $message"
done

message=$("$quillbook" --bogus list 2>&1)
check "a bad option exits 2, with its reason and a pointer to --help" \
  "2 quillbook: unknown option --bogus|Try 'quillbook --help' for the commands and options." \
  "$? $(tr '\n' '|' <<<"$message" | sed 's/|$//')"
"$quillbook" --data "$work/data" frobnicate >/dev/null 2>&1
check "an unknown command exits 2" 2 $?
"$quillbook" >/dev/null 2>&1
check "no command exits 2" 2 $?
"$quillbook" --help | grep -q 'groups' && "$quillbook" --help | grep -q 'list' &&
  "$quillbook" --help | grep -q 'search'
check "--help explains every command" 0 $?

report
