#!/usr/bin/env bash
# The Debian changelog made from CHANGELOG.md (dist/debian-changelog.cmake) and the gzip step
# (dist/gzip.cmake): the text of a two-version changelog, the date line of each day against GNU
# date, every refusal with the file left unwritten, and a gzip header without name or time stamp.
#   debian_changelog.sh CMAKE DIST_DIR
set -euo pipefail
cmake=$1
dist=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# convert CHANGELOG VERSION [METAINFO]: runs the conversion into $work/changelog; its messages
# land in $work/messages.
convert() {
  rm -f "$work/changelog"
  local args=(-DINPUT="$1" -DOUTPUT="$work/changelog" -DPACKAGE=pomiro-checker -DVERSION="$2"
              "-DMAINTAINER=ぽみろチェッカー開発チーム <team@pomiro.jp>")
  [ -z "${3:-}" ] || args+=(-DMETAINFO="$3")
  local status=0
  "$cmake" "${args[@]}" -P "$dist/debian-changelog.cmake" >"$work/messages" 2>&1 || status=$?
  # CMake wraps its messages; one line reads better in a comparison.
  tr -s '[:space:]' ' ' <"$work/messages" >"$work/messages.line"
  mv "$work/messages.line" "$work/messages"
  return "$status"
}

# --- two versions, newest first: the title and introduction left out, CR LF read as LF, list
# characters of CMake (";", "[", "]") and backquotes, blank lines between items.
printf '%s\r\n' '# Changelog' '' 'Intro text; not copied.' '' \
  '## 1.1.0 - 2027-03-01' '' '- Two things; one [and] another.' '  Continued `here`.' '' \
  '- A second item.' '## 1.0.0 - 2026-12-08' '- First release.' >"$work/two.md"
cat >"$work/two.expected" <<'EOF'
pomiro-checker (1.1.0) unstable; urgency=medium

  * Two things; one [and] another.
    Continued here.
  * A second item.

 -- ぽみろチェッカー開発チーム <team@pomiro.jp>  Mon, 01 Mar 2027 00:00:00 +0000

pomiro-checker (1.0.0) unstable; urgency=medium

  * First release.

 -- ぽみろチェッカー開発チーム <team@pomiro.jp>  Tue, 08 Dec 2026 00:00:00 +0000
EOF
if convert "$work/two.md" 1.1.0; then
  diff -u "$work/two.expected" "$work/changelog" || fail "two versions: the text differs"
  if command -v dpkg-parsechangelog >/dev/null; then
    [ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = 1.1.0 ] \
      || fail "two versions: dpkg-parsechangelog does not read version 1.1.0"
    [ "$(dpkg-parsechangelog -l "$work/changelog" --all | grep -Ec 'pomiro-checker \((1\.1|1\.0)\.0\)')" = 2 ] \
      || fail "two versions: dpkg-parsechangelog does not read both versions"
  fi
else
  fail "two versions: refused: $(cat "$work/messages")"
fi

# --- the date line of each day, against GNU date: leap days, turns of century, the epoch.
for day in 1970-01-01 1999-12-31 2000-02-29 2000-03-01 2024-02-29 2026-01-01 2026-12-08 \
           2027-03-01 2100-02-28 2100-03-01; do
  printf '## 1.0.0 - %s\n- Item.\n' "$day" >"$work/day.md"
  expected=" -- ぽみろチェッカー開発チーム <team@pomiro.jp>  $(LC_ALL=C date -u -R -d "$day")"
  if convert "$work/day.md" 1.0.0; then
    [ "$(tail -n 1 "$work/changelog")" = "$expected" ] \
      || fail "$day: got '$(tail -n 1 "$work/changelog")', expected '$expected'"
  else
    fail "$day: refused: $(cat "$work/messages")"
  fi
done

# --- what must be refused: the message, and no changelog written.
metainfo_100="$work/100.metainfo.xml"
printf '<releases>\n  <release version="1.0.0" date="2026-12-08"/>\n</releases>\n' >"$metainfo_100"
printf '<releases>\n  <release version="1.0.0" date="2026-12-09"/>\n</releases>\n' >"$work/late.metainfo.xml"
printf '<releases>\n  <release version="0.9.0" date="2026-12-08"/>\n</releases>\n' >"$work/old.metainfo.xml"
while IFS='|' read -r name text version metainfo message; do
  printf '%b' "$text" >"$work/refused.md"
  metainfo=${metainfo:+$work/$metainfo}
  if convert "$work/refused.md" "$version" "$metainfo"; then
    fail "$name: accepted"
  else
    grep -qF -- "$message" "$work/messages" || fail "$name: message lacks '$message': $(cat "$work/messages")"
  fi
  [ ! -e "$work/changelog" ] || fail "$name: a changelog was written"
done <<'EOF'
not the program's version|## 1.0.0 - 2026-12-08\n- Item.\n|1.0.1||the newest section is 1.0.0, but the program is version 1.0.1
oldest first|## 0.9.0 - 2026-01-01\n- Old.\n## 1.0.0 - 2026-12-08\n- New.\n|0.9.0||version 1.0.0 comes after 0.9.0
a version twice|## 1.0.0 - 2026-12-08\n- New.\n## 1.0.0 - 2026-12-01\n- Old.\n|1.0.0||version 1.0.0 comes after 1.0.0
older version dated later|## 1.0.0 - 2026-12-08\n- New.\n## 0.9.0 - 2026-12-09\n- Old.\n|1.0.0||0.9.0 is dated after the newer 1.0.0
no leap day in 2026|## 1.0.0 - 2026-02-29\n- Item.\n|1.0.0||"2026-02-29" is not a date in the calendar
no leap day in 2100|## 1.0.0 - 2100-02-29\n- Item.\n|1.0.0||"2100-02-29" is not a date in the calendar
April 31st|## 1.0.0 - 2026-04-31\n- Item.\n|1.0.0||"2026-04-31" is not a date in the calendar
month 13|## 1.0.0 - 2026-13-01\n- Item.\n|1.0.0||"2026-13-01" is not a date in the calendar
day 0|## 1.0.0 - 2026-12-00\n- Item.\n|1.0.0||"2026-12-00" is not a date in the calendar
not a date|## 1.0.0 - 8.12.2026\n- Item.\n|1.0.0||"8.12.2026" is not a date as YYYY-MM-DD
not a version|## v1 - 2026-12-08\n- Item.\n|v1||"v1" is not a version
a section without items|## 1.0.0 - 2026-12-08\n\n## 0.9.0 - 2026-01-01\n- Old.\n|1.0.0||version 1.0.0 lists no changes
a paragraph in a section|## 1.0.0 - 2026-12-08\n- Item.\nA paragraph.\n|1.0.0||:3: a section holds only
a continuation before any item|## 1.0.0 - 2026-12-08\n  Continued.\n- Item.\n|1.0.0||:2: a section holds only
no section|# Changelog\n\nNothing yet.\n|1.0.0||no "## VERSION - YYYY-MM-DD" section
metainfo of another date|## 1.0.0 - 2026-12-08\n- Item.\n|1.0.0|late.metainfo.xml|the newest release is 1.0.0 of 2026-12-09
metainfo of another version|## 1.0.0 - 2026-12-08\n- Item.\n|1.0.0|old.metainfo.xml|the newest release is 0.9.0 of 2026-12-08
EOF
# ...and the metainfo that agrees is accepted.
printf '## 1.0.0 - 2026-12-08\n- Item.\n' >"$work/agrees.md"
convert "$work/agrees.md" 1.0.0 "$metainfo_100" || fail "agreeing metainfo: refused: $(cat "$work/messages")"

# --- gzip: -9, no name, no time stamp; the same bytes back.
printf 'pomiro-checker (1.0.0) unstable; urgency=medium\n' >"$work/plain"
touch -d '2001-02-03 04:05:06' "$work/plain"
"$cmake" -DINPUT="$work/plain" -DOUTPUT="$work/plain.gz" -P "$dist/gzip.cmake"
header=$(od -A n -t x1 -N 10 "$work/plain.gz" | tr -d ' \n')
# magic 1f8b, deflate 08, flags 00 (no name), time 00000000, 02 (best compression), any OS.
[[ $header == 1f8b08000000000002* ]] || fail "gzip header $header: a name, a time or not -9"
cmp -s <(gzip -dc "$work/plain.gz") "$work/plain" || fail "gzip: the bytes do not come back"
if "$cmake" -DINPUT="$work/missing" -DOUTPUT="$work/missing.gz" -P "$dist/gzip.cmake" >/dev/null 2>&1 \
   || [ -e "$work/missing.gz" ]; then
  fail "gzip: a missing input was packed"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "PASS: Debian changelog and gzip"
