#!/bin/bash
# tcw series against tcw experiment on a committed corpus with the real
# learner: every CSV row holds the figures that the single experiment prints
# for the row's settings, and the row's saved output is the experiment's own
# (but for the date and the file stem). Then the usage errors, the chart files
# and a series stopped by a signal.
#
#   series.sh TCW C45 CORPUS STOP_WORDS MULTI_CATEGORY_CORPUS
set -u
tcw=$1 c45=$2 corpus=$3 stopwords=$4 multi=$5
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }

# The figures of an experiment's report in the CSV's order and notation.
figures() {
    awk '
        /^  Broj atributa: / { attributes = $3 }
        /^Evaluation on test data/ { test = 1 }
        test && /Veličina stabla:/ { before = $4; sub(",", "", before); after = $6 }
        test && /Broj grešaka:/ { split($0, p, "[(%]"); errb = p[2]; erra = p[4]; test = 0 }
        /^F1 micro je / { micro = $4 }
        /^F1 macro je / { macro = $4 }
        END {
            if (micro == "n/a") micro = ""
            if (macro == "n/a") macro = ""
            print attributes "," before "," after "," errb "," erra "," micro "," macro
        }' "$1"
}

without_run_details() { grep -v -e 'decision tree generator' -e 'File stem' -e '^Read ' "$1"; }

check_rows() { # CSV [C4.5 OPTION...] for every row
    local csv=$1 rows=0
    shift
    while IFS=, read -r min_df top_ig stemming stop_words c m rest; do
        rows=$((rows + 1))
        local args=(--dir "$corpus" --stem single --min-df "$min_df" --c45 "$c45" --save single.c45p "$@")
        [ -n "$top_ig" ] && args+=(--top-ig "$top_ig")
        [ "$stemming" = 1 ] && args+=(--stemming)
        [ "$stop_words" = 1 ] && args+=(--stop-words "$stopwords")
        [ -n "$m" ] && args+=(-m "$m")
        [ -n "$c" ] && args+=(-c "$c")
        "$tcw" experiment "${args[@]}" > single.out || fail "tcw experiment ${args[*]}"
        local expected series
        expected=$(figures single.out)
        series=$(echo "$rest" | cut -d, -f1-7)
        [ "$expected" = "$series" ] || fail "row $rows (${args[*]}): series $series, experiment $expected"
        local saved
        saved=$(echo "$rest" | cut -d, -f10)
        diff <(without_run_details single.c45p) <(without_run_details "$saved") > /dev/null ||
            fail "row $rows: $saved differs from the experiment's output"
    done < <(tail -n +2 "$csv")
    echo "$rows"
}

"$tcw" series --dir "$corpus" --stem a --csv a.csv --plot a.png --min-df 1,3 --stemming both \
    --stop-words "$stopwords" --stop-word-use both -m 1,4 --jobs 2 --c45 "$c45" > a.out 2> a.err ||
    fail "the first series: $(cat a.err)"
[ "$(check_rows a.csv)" = 16 ] || fail "the first series: $(check_rows a.csv)"
[ "$(grep -c '^run [0-9]*/16, run-[0-9][0-9] (min_df [13], stemming o[nf]*, stop words o[nf]*, -m [14]): ' a.err)" = 16 ] ||
    fail "progress lines: $(cat a.err)"
"$tcw" series --dir "$corpus" --stem b --csv b.csv --plot b.SVG --min-df 2 --top-ig 3,50 \
    -c 10,40 -s --c45 "$c45" > b.out 2> b.err || fail "the second series: $(cat b.err)"
[ "$(check_rows b.csv -s)" = 4 ] || fail "the second series: $(check_rows b.csv -s)"
[ "$(cut -d, -f7 b.csv | sed -n 2p)" = 3 ] || fail "--top-ig 3 kept $(cut -d, -f7 b.csv | sed -n 2p) words"

# Without test documents the test figures are absent: empty CSV fields, n/a in the report.
mkdir untested
printf '<DATA><SET>TRAIN</SET><TOPIC>%s</TOPIC><TEXT>%s</TEXT></DATA>\n' earn 'net profit' \
    acq 'buy shares' earn 'net loss' acq 'buy stake' > untested/a.xml
"$tcw" series --dir untested --stem n --csv n.csv --c45 "$c45" > /dev/null 2> n.err ||
    fail "the untested series: $(cat n.err)"
[ "$(cut -d, -f7-13 n.csv | tail -n +2)" = '6,3,3,,,,' ] || fail "the untested series: $(cat n.csv)"
[ "$(sed 's/([0-9.]* s)$/(T s)/' n.err)" = 'run 1/1, run-1 (min_df 1, stemming off, stop words off): 6 attributes, test error n/a, size 3, micro F1 n/a (T s)' ] ||
    fail "the untested series' progress: $(cat n.err)"
"$tcw" experiment --dir untested --stem n1 --min-df 1 --c45 "$c45" > n.out || fail "tcw experiment untested"
[ "$(sed -n '/^Evaluation on test data/,/^Matrica/p;/^F1 /p;/^M.*prosjek /p' n.out)" = "$(
    printf '%s\n' 'Evaluation on test data' '  Estimate: 50%' '  Veličina stabla: BP 3, AP 3' \
        '  Broj grešaka: BP 0 (n/a), AP 0 (n/a)' \
        'Matrica zabune (redak: stvarna kategorija, stupac: dodijeljena)' 'F1 micro je n/a' \
        'F1 macro je n/a' 'Mikroprosjek preciznost n/a' 'Mikroprosjek odaziv n/a' \
        'Makroprosjek preciznost n/a' 'Makroprosjek odaziv n/a')" ] ||
    fail "the untested experiment: $(cat n.out)"
# Stemmed stop words reach every run, as they reach tcw experiment: on the
# stemmed corpus "company" is the key "compani", which only the stemmed list
# leaves out.
printf 'the\ncompany\n' > inflected-stop-words
inflected=(--dir "$corpus" --stem c --min-df 1 --stemming on --stop-words inflected-stop-words
           --c45 "$c45")
"$tcw" series "${inflected[@]}" --csv as-written.csv > c.out 2> c.err ||
    fail "the series with the list as written: $(cat c.err)"
"$tcw" series "${inflected[@]}" --csv stemmed.csv --stem-stop-words > c.out 2> c.err ||
    fail "the series with the list stemmed: $(cat c.err)"
rows=$(stopwords=inflected-stop-words check_rows stemmed.csv --stem-stop-words)
[ "$rows" = 1 ] || fail "the stemmed stop-word series: $rows"
as_written=$(cut -d, -f7 as-written.csv | sed -n 2p)
stemmed=$(cut -d, -f7 stemmed.csv | sed -n 2p)
[ "$stemmed" = $((as_written - 1)) ] ||
    fail "stemmed stop words kept $stemmed attributes, as written $as_written"

file a.png | grep -q 'PNG image data, 800 x 600,' || fail "a.png: $(file a.png)"
xmllint --noout b.SVG || fail "b.SVG is not well-formed"
grep -q '<svg [^>]*width="800px" height="600px"' b.SVG ||
    fail "b.SVG: $(grep -o '<svg [^>]*>' b.SVG)"

# Usage errors: exit 2, nothing run, no CSV.
# The -m and -c lists are held to the learner's own limits.
for bad in "--min-df 1,,2" "--min-df 1.5" "--min-df 0" "--min-df 2,-5" "--min-df ''" "-c 10,x" \
           "-c 0" "-c 25,0.0005" "-m 0" "-m 1,1000001" "-m 4294967298" "--top-ig 0" \
           "--stemming maybe" "--stop-word-use on" "--stem-stop-words" "--jobs 0" "--plot a.pdf" \
           "--unknown" "-m" "--min-df $(seq -s, 101) -m $(seq -s, 100)"; do
    eval "set -- $bad"
    status=0
    "$tcw" series --dir "$corpus" --stem u --csv u.csv "$@" --c45 "$c45" > /dev/null 2> u.err ||
        status=$?
    [ "$status" = 2 ] || fail "$bad: exit $status"
    grep -q 'Run "tcw series --help"' u.err || fail "$bad: $(cat u.err)"
    [ ! -e u.csv ] && [ ! -e u-series ] || fail "$bad: the series ran"
done

# What would fail only after the runs, or in every run, is a one-line error
# before any run: exit 1, no CSV, no runs' folder.
refused() { # ERROR ARGUMENT...
    local expected=$1 status=0
    shift
    "$tcw" series --dir "$corpus" --csv "$work/r.csv" --min-df 2 "$@" > /dev/null 2> "$work/r.err" ||
        status=$?
    [ "$status" = 1 ] && [ "$(cat "$work/r.err")" = "$expected" ] || fail "$*: exit $status, $(cat "$work/r.err")"
    [ ! -e "$work/r.csv" ] && [ ! -e "$work/r-series" ] && ! ls "$work" | grep -q '\.tmp-' ||
        fail "$*: left $(ls "$work")"
}
long=$(printf '%0300d' 0)
mkdir folder.png stop-folder
ln -s loop loop
refused "Could not open file nodir/r.svg: No such file or directory" --stem r --plot nodir/r.svg --c45 "$c45"
refused "Could not open file folder.png: Is a directory" --stem r --plot folder.png --c45 "$c45"
refused "Could not open file $long-series: File name too long" --stem "$long" --c45 "$c45"
refused "Could not open file loop/r-series: Too many levels of symbolic links" --stem loop/r --c45 "$c45"
refused "Could not open file stop-folder: Is a directory" --stem r --stop-words stop-folder --c45 "$c45"
mkdir gone && cp "$c45" gone/c4.5.exe
(cd gone && rm -r "$work/gone" && refused "Could not open file ./c4.5.exe: No such file or directory" --stem "$work/r" --c45 ./c4.5.exe) ||
    exit 1
if [ "$(id -u)" != 0 ]; then # root writes into a read-only folder
    mkdir read-only && chmod 555 read-only
    refused "Could not open file read-only/r.png: Permission denied" --stem r --plot read-only/r.png --c45 "$c45"
fi
# The system's reason follows a file that cannot be written.
status=0
"$tcw" series --dir "$corpus" --stem full --csv /dev/full --c45 "$c45" > /dev/null 2> full.err || status=$?
[ "$status" = 1 ] && [ "$(tail -n 1 full.err)" = "Could not write file /dev/full: No space left on device" ] ||
    fail "a full disk: exit $status, $(cat full.err)"
# A chart that can no longer be written once the runs are done: the rows are kept.
printf '#!/bin/sh\nmkdir -p "%s"\nexec "%s" "$@"\n' "$PWD/late.png" "$c45" > late.sh
chmod +x late.sh
status=0
"$tcw" series --dir "$corpus" --stem l --csv l.csv --plot "$PWD/late.png" --c45 "$PWD/late.sh" \
    > /dev/null 2> l.err || status=$?
[ "$status" = 1 ] && [ "$(tail -n 1 l.err)" = "tcw series: Could not write chart $PWD/late.png: Is a directory" ] &&
    [ "$(wc -l < l.csv)" = 2 ] || fail "a chart unwritable at the end: exit $status, $(cat l.err)"

# A failing run is a row with its error; the others go on; exit 1.
printf '#!/bin/sh\ncase "$*" in *"-m 2"*) exit 3 ;; esac\nexec "%s" "$@"\n' "$c45" > failing.sh
chmod +x failing.sh
status=0
"$tcw" series --dir "$corpus" --stem f --csv f.csv -m 1,2,3 --c45 ./failing.sh > /dev/null 2> f.err ||
    status=$?
[ "$status" = 1 ] || fail "a failing run: exit $status"
[ "$(cut -d, -f6,15 f.csv | tail -n +2 | tr '\n' ' ')" = "1, 2,$PWD/failing.sh ended with status 3 3, " ] ||
    fail "a failing run: $(cat f.csv)"

# SIGTERM (as Ctrl-C) stops the children, keeps the finished rows and ends tcw by the signal.
printf '#!/bin/sh\ncase "$*" in *"-m 2"*) echo $$ > sleeper.pid.new; mv sleeper.pid.new sleeper.pid; exec sleep 120 ;; esac\nexec "%s" "$@"\n' \
    "$c45" > slow.sh
chmod +x slow.sh
"$tcw" series --dir "$corpus" --stem t --csv t.csv -m 1,2 --jobs 2 --c45 "$PWD/slow.sh" > /dev/null 2> t.err &
tcw_pid=$!
for _ in $(seq 200); do
    [ -s "$PWD/t-series/run-2/sleeper.pid" ] && grep -q '^run 1/2, run-1 ' t.err && break
    sleep 0.1
done
sleeper=$(cat "$PWD/t-series/run-2/sleeper.pid") || fail "the slow run never started: $(cat t.err)"
# A second series on the same stem is refused while the first runs.
status=0
"$tcw" series --dir "$corpus" --stem t --csv t2.csv -m 3 --c45 "$c45" > /dev/null 2> t2.err || status=$?
[ "$status" = 1 ] && grep -q "another series is running in t-series" t2.err && [ ! -e t2.csv ] ||
    fail "a second series on one stem: exit $status, $(cat t2.err)"
kill -TERM "$tcw_pid"
status=0
wait "$tcw_pid" || status=$?
[ "$status" = 143 ] || fail "stopped series: exit $status"
kill -0 "$sleeper" 2> /dev/null && fail "the slow run $sleeper was left running"
[ "$(cut -d, -f6 t.csv | tr '\n' ' ')" = 'm 1 ' ] || fail "stopped series: $(cat t.csv)"
[ "$(ls -A t-series)" = run-1.c45p ] && ! ls | grep -q '\.tmp-' ||
    fail "stopped series left: $(ls -A . t-series)"
# SIGKILL gives tcw no chance to stop its learners: they die with it, and the
# next series on the stem clears what the killed one left.
rm -f "$PWD/t-series/run-2/sleeper.pid"
"$tcw" series --dir "$corpus" --stem t --csv t.csv -m 1,2 --jobs 2 --c45 "$PWD/slow.sh" > /dev/null 2> t.err &
tcw_pid=$!
for _ in $(seq 200); do
    [ -s "$PWD/t-series/run-2/sleeper.pid" ] && break
    sleep 0.1
done
sleeper=$(cat "$PWD/t-series/run-2/sleeper.pid") || fail "the slow run never started again: $(cat t.err)"
kill -KILL "$tcw_pid"
wait "$tcw_pid" 2> /dev/null
for _ in $(seq 50); do
    kill -0 "$sleeper" 2> /dev/null || break
    sleep 0.1
done
kill -0 "$sleeper" 2> /dev/null && fail "the learner $sleeper outlived a killed tcw"
"$tcw" series --dir "$corpus" --stem t --csv t.csv -m 1 --c45 "$c45" > /dev/null 2> t.err ||
    fail "the series after a killed one: $(cat t.err)"
[ "$(ls -A t-series)" = run-1.c45p ] || fail "a killed series left: $(ls -A t-series)"

# Beyond the file-size limit a run's file set cannot be written: the row
# says so, the CSV is written and no temporary is left.
status=0
(ulimit -f 2; "$tcw" series --dir "$corpus" --stem z --csv z.csv --c45 "$c45" > /dev/null 2> z.err) ||
    status=$?
[ "$status" = 1 ] || fail "a series over the file-size limit: exit $status, $(cat z.err)"
grep -q 'Could not write file' z.csv || fail "over the file-size limit: $(cat z.csv)"
! find . -name '*.tmp-*' | grep -q . || fail "temporaries left: $(find . -name '*.tmp-*')"

# The multi-category mode: each row's run is the experiment's run (tcw show
# prints the same report), and the CSV holds its attributes, summed sizes and
# pooled error rates and micro and macro F1.
category_figures() {
    awk '
        /^  Broj atributa: / { attributes = $3 }
        /^  Zbroj / { before = $4; sub(",", "", before); after = $6 }
        /sve odluke/ { split($0, p, "[(%]"); errb = p[3]; erra = p[5] }
        /^Mikroprosjek: / { micro = $NF }
        /^Makroprosjek: / { macro = $7; sub(" .*", "", macro) }
        END { print attributes "," before "," after "," errb "," erra "," micro "," macro }' "$1"
}
"$tcw" series --dir "$multi" --stem mc --csv mc.csv --min-df 1,2 -m 1 --multi-category \
    --c45 "$c45" > /dev/null 2> mc.err || fail "the multi-category series: $(cat mc.err)"
[ "$(wc -l < mc.csv)" = 3 ] || fail "the multi-category series: $(cat mc.csv)"
while IFS=, read -r min_df _ _ _ _ _ attributes before after errb erra micro macro _ _ saved; do
    "$tcw" experiment --dir "$multi" --stem mc1 --min-df "$min_df" -m 1 --multi-category \
        --c45 "$c45" --save mc1.c45p > /dev/null || fail "tcw experiment --multi-category"
    "$tcw" show mc1.c45p > expected.show && "$tcw" show "$saved" > series.show ||
        fail "tcw show of the multi-category runs"
    diff expected.show series.show > /dev/null || fail "min_df $min_df: $saved differs"
    row=$(LC_ALL=C printf '%s,%s,%s,%.1f,%.1f,%.4f,%.4f' "$attributes" "$before" "$after" \
        "$errb" "$erra" "$micro" "$macro")
    [ "$row" = "$(category_figures expected.show)" ] ||
        fail "min_df $min_df: row $row, report $(category_figures expected.show)"
done < <(tail -n +2 mc.csv)

echo "series rows agree with tcw experiment"
