#!/usr/bin/env bash
# Runs marvessa-cli as a process over a sandbox program folder.
set -euo pipefail
cli="$1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$cli" --home "$home" engines)
[ "$(echo "$out" | wc -l)" -eq 34 ] || fail "engines lists 34 rows"
echo "$out" | head -1 | grep -qP '^1\t中文雅虎\t中文\ton$' || fail "first engine row: $(echo "$out" | head -1)"

printf '[Rodideva Trovik]\r\nsearchengine=000000000000000001\r\n' > "$home/Trovik.ini"
"$cli" --home "$home" engines --scope 1 --keyword '  trade  show ' --page 1 > "$home/run.txt"
[ "$(wc -l < "$home/run.txt")" -eq 5 ] || fail "scope 1 without engine 18: $(cat "$home/run.txt")"
grep -qP '^17\tgoogle\thttp://www.google.com/search\?q=trade%20show&hl=en&lr=lang_en&start=10&sa=N$' "$home/run.txt" \
  || fail "google URL: $(cat "$home/run.txt")"

"$cli" terms '电脑 公司 -编程' | tr '\n' ' ' | grep -qx '电脑 公司 ' || fail "terms"

"$cli" engine-file builtin "$home/Trovik.dat"
head -c 19 "$home/Trovik.dat" | grep -q '^\[qemosearchengine\]' || fail "builtin file starts with the marker"
"$cli" engine-file unpack "$home/Trovik.dat" "$home/plain.dat"
grep -q '^<p class=g>' "$home/plain.dat" || fail "unpacked body is plain"
"$cli" engine-file pack "$home/plain.dat" "$home/again.dat"
cmp -s "$home/Trovik.dat" "$home/again.dat" || fail "pack undoes unpack"
[ "$("$cli" --home "$home" engines | wc -l)" -eq 34 ] || fail "the written file is a valid catalogue"

# An engine file from its readable source, checked offline on saved pages named by engine number.
check="$home/check"
mkdir -p "$check/pages"
printf 'date=2026-12-08\n[engine]\nname=甲\nscope=1\nareaStart=<ol>\nareaEnd=</ol>\nitemStart=<li>\nitemEnd=</li>\nurlStart=href="\nurlEnd="\ntitleStart=>\ntitleEnd=</a>\next.unwrap=uddg\next.entities=1\next.nextpage=number\n' > "$check/source"
"$cli" engine-file build "$check/source" "$check/Trovik.dat"
printf '<ol><li><a href="//l.example/l/?uddg=https%%3A%%2F%%2Fa.example%%2F&amp;rut=1">A &amp; B</a></li></ol>' > "$check/pages/1.html"
printf '<p>captcha</p>' > "$check/pages/2.html"
out=$("$cli" --home "$check" engines --check "$check/pages")
[ "$out" = "$(printf '1\t甲\t英文\tok\n1\thttps://a.example/\tA & B\n1\tnext\t(by number)')" ] || fail "engines --check: $out"
printf 'date=1\n[engine]\nname=x\nscope=0\nbogus=1\n' > "$check/bad"
out=$("$cli" engine-file build "$check/bad" "$check/bad.dat" 2>&1 || true)
[[ "$out" == *'line 5: unknown field "bogus"'* ]] || fail "a bad source names its line: $out"

"$cli" --home "$home" settings --save | grep -qx 'thdnumber=12' || fail "settings shows thdnumber"
grep -q 'searchengine=000000000000000001' "$home/Trovik.ini" || fail "settings --save keeps values"

{
  printf '[qemosearchfile]\r\n'; for i in 1 2 3 4 5 6 7 8 9; do printf '\r\n'; done
  printf '[body]\r\n0\r\n0\r\nsales@example.com\r\n\r\nhttp://example.com/contact\r\n公司\r\n'
  for i in 1 2 3 4 5 6; do printf '\r\n'; done
  printf '[/body]\r\n'
} | iconv -f utf-8 -t gbk > "$home/doc.mvx"
"$cli" --home "$home" export "$home/doc.mvx" --layout '<邮址>,<标题>' | grep -qx 'sales@example.com,公司' || fail "export to stdout"
"$cli" --home "$home" export "$home/doc.mvx" --out "$home/out.txt"
[ "$(cat "$home/out.txt")" = "$(printf 'sales@example.com\r')" ] || fail "export to a file"
"$cli" --home "$home" export "$home/doc.mvx" --out "$home/out.csv" --encoding gbk
[ "$(iconv -f gbk -t utf-8 "$home/out.csv")" = "$(printf '邮址,网址,标题\r\nsales@example.com,http://example.com/contact,公司\r')" ] \
  || fail "csv by the file's extension, in GBK"
"$cli" --home "$home" export "$home/doc.mvx" --format jsonl | grep -qx \
  '{"email":"sales@example.com","url":"http://example.com/contact","title":"公司","server":"example.com","domain":"example.com","registrable_domain":"example.com"}' \
  || fail "jsonl to stdout"
printf '{"email":"Sales@example.com","url":"dup"}\n{"email":"new@example.org","url":"http://example.org/","title":"新"}\n' > "$home/crawl.jsonl"
cp "$home/doc.mvx" "$home/merged.mvx"
"$cli" import "$home/merged.mvx" "$home/crawl.jsonl"
[ "$("$cli" --home "$home" export "$home/merged.mvx" --layout '<邮址> <标题>' | tr '\n' '|')" = 'sales@example.com 公司|new@example.org 新|' ] \
  || fail "import of crawl results without duplicates"
"$cli" --home "$home" export "$home/doc.mvx" --format xlsx --out "$home/out.bin"
[ "$(head -c 2 "$home/out.bin")" = "PK" ] || fail "xlsx is a zip container"
printf '[qemosearchfile]\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n[head]\r\n出口\r\n3\r\n0\r\n0\r\n0\r\n[/head]\r\n[uncheck]\r\nhttp://b/\r\nhttp://a/\r\n[/uncheck]\r\n[title]\r\nA\r\nB\r\n[/title]\r\n' \
  | iconv -f utf-8 -t gbk > "$home/level1.mvx"
printf 'http://a/\ttitle=A\tkeyword=出口\tscope=法文\nhttp://b/\ttitle=B\tkeyword=出口\tscope=法文\n' \
  | cmp -s - <("$cli" --home "$home" export "$home/level1.mvx" --format seeds) || fail "seeds"

printf '<html><head><meta charset="utf-8"><title>服装 &amp; 出口</title></head>\r\n<body>Sales@Acme-Trade.COM.\r\n' > "$home/page.htm"
printf '<a href="contact.htm#f">c</a> <a href=/about/>a</a> <img src=logo.gif> info @ x.cn <p>logo@2x.png shop&#64;x.cn</p></body>\n' >> "$home/page.htm"
"$cli" --home "$home" scan --url http://127.0.0.1:8080/d/p.htm --keyword '出口' --junk "$home/page.htm" > "$home/scan.txt"
printf 'email\tSales@Acme-Trade.COM\t服装  出口\nemail\tinfo@x.cn\t服装  出口\nemail\tshop@x.cn\t服装  出口\nlink\thttp://127.0.0.1:8080/d/contact.htm\nlink\thttp://127.0.0.1:8080/about/\njunk\tlogo@2x.png\tasset name\n' \
  | cmp -s - "$home/scan.txt" || fail "scan: $(cat "$home/scan.txt")"
printf '[address rules]\n[placeholder domains]\nx.cn\n[/body]\n' > "$home/address-rules.dat"
"$cli" --home "$home" scan --url http://127.0.0.1/ --title '引擎 标题' --keyword '标题' "$home/page.htm" > "$home/scan.txt"
grep -qP '^email\tSales@Acme-Trade.COM\t引擎 标题$' "$home/scan.txt" || fail "scan with a result title"
! grep -q 'x.cn' "$home/scan.txt" || fail "scan with the address rules of the program folder"

"$cli" --version | grep -qE '^marvessa-cli [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version"
"$cli" --help | grep -q '^usage: marvessa-cli' || fail "--help on stdout"

# An installed program keeps its files in the user's data folder, seeded from the shipped data.
mkdir -p "$home/usr/bin" "$home/usr/share/marvessa" "$home/user"
cp "$cli" "$home/usr/bin/"
echo shipped > "$home/usr/share/marvessa/help.htm"
env -u MARVESSA_HOME -u XDG_DATA_HOME HOME="$home/user" "$home/usr/bin/marvessa-cli" settings --save >/dev/null
[ -f "$home/user/.local/share/marvessa/Trovik.ini" ] || fail "installed: settings in the data folder"
[ "$(cat "$home/user/.local/share/marvessa/help.htm")" = shipped ] || fail "installed: data folder seeded"
[ ! -e "$home/usr/bin/Trovik.ini" ] || fail "installed: nothing written beside the executable"

set +e
out=$(MARVESSA_UPDATE_SERVER=http://127.0.0.1:9 MARVESSA_WINDOWS_DIR="$home/win" "$cli" --home "$home" update)
[ $? -eq 1 ] || fail "a failed update exits with 1"
[ "$out" = "引擎升级失败!" ] || fail "update failure text: $out"
"$cli" scan "$home/page.htm" 2>/dev/null; [ $? -eq 2 ] || fail "scan without --url is a usage error"
"$cli" bogus 2>/dev/null; [ $? -eq 2 ] || fail "unknown verb is a usage error"
"$cli" engines --scope 2>/dev/null; [ $? -eq 2 ] || fail "missing option value is a usage error"
"$cli" export "$home/doc.mvx" --format pdf 2>/dev/null; [ $? -eq 2 ] || fail "unknown format is a usage error"
"$cli" export "$home/doc.mvx" --format xlsx --encoding gbk 2>/dev/null; [ $? -eq 2 ] || fail "encoding is for csv only"
"$cli" engine-file unpack "$home/none" "$home/x" 2>/dev/null; [ $? -eq 1 ] || fail "missing input fails"
out=$("$cli" scan --url http://127.0.0.1/ "$home/联系.htm" 2>&1); [ $? -eq 1 ] || fail "missing page fails"
[[ "$out" == *"$home/联系.htm"* ]] || fail "a missing file is named as typed: $out"
echo "cli ok"
