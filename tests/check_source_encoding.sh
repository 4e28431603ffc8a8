#!/bin/sh
# check_source_encoding.sh <source-root> <ascii-only-list>
# Fails when a source file has a character that cp932 lacks (the compiler
# would transliterate it silently) or when an ASCII-only source holds any
# non-ASCII byte.
root=$1
list=$2
status=0
cd "$root" || exit 2
for f in $(find src tests bench fuzz demo viewer tools -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.form' -o -name '*.txt' \) 2>/dev/null); do
  if ! iconv -f UTF-8 -t CP932 "$f" >/dev/null 2>&1; then
    echo "not convertible to cp932: $f"
    status=1
  fi
done
while IFS= read -r f; do
  [ -n "$f" ] || continue
  if LC_ALL=C grep -n -P '[^\x00-\x7F]' "$f" >/dev/null 2>&1; then
    echo "non-ASCII bytes in an ASCII-only source: $f"
    LC_ALL=C grep -n -P '[^\x00-\x7F]' "$f" | head -3
    status=1
  fi
done < "$list"
[ $status -eq 0 ] && echo "all sources convert to cp932; ASCII-only sources are ASCII"
exit $status
