#!/bin/bash
# tcw series against tcw experiment on a committed corpus with the real
# learner: every CSV row holds the figures that the single experiment prints
# for the row's settings, and the row's saved output is the experiment's own
# (but for the date and the file stem). Then the usage errors, the chart files
# and a series stopped by a signal.
#
#   series.sh TCW C45 CORPUS STOP_WORDS
set -u
tcw=$1 c45=$2 corpus=$3 stopwords=$4
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
[ "$(grep -c '^run [0-9]*/16: ' a.err)" = 16 ] || fail "progress lines: $(cat a.err)"
"$tcw" series --dir "$corpus" --stem b --csv b.csv --plot b.SVG --min-df 2 --top-ig 3,50 \
    -c 10,40 -s --c45 "$c45" > b.out 2> b.err || fail "the second series: $(cat b.err)"
[ "$(check_rows b.csv -s)" = 4 ] || fail "the second series: $(check_rows b.csv -s)"
[ "$(cut -d, -f7 b.csv | sed -n 2p)" = 3 ] || fail "--top-ig 3 kept $(cut -d, -f7 b.csv | sed -n 2p) words"

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
for bad in "--min-df 1,,2" "--min-df 1.5" "--min-df ''" "-c 10,x" "-c 0" "-m 0" "--top-ig 0" \
           "--stemming maybe" "--stop-word-use on" "--stem-stop-words" "--jobs 0" "--plot a.pdf" "--unknown" "-m"; do
    eval "set -- $bad"
    status=0
    "$tcw" series --dir "$corpus" --stem u --csv u.csv "$@" --c45 "$c45" > /dev/null 2> u.err ||
        status=$?
    [ "$status" = 2 ] || fail "$bad: exit $status"
    grep -q 'Run "tcw series --help"' u.err || fail "$bad: $(cat u.err)"
    [ ! -e u.csv ] && [ ! -e u-series ] || fail "$bad: the series ran"
done

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
    [ -s "$PWD/t-series/run-2/sleeper.pid" ] && grep -q '^run 1/2' t.err && break
    sleep 0.1
done
sleeper=$(cat "$PWD/t-series/run-2/sleeper.pid") || fail "the slow run never started: $(cat t.err)"
kill -TERM "$tcw_pid"
status=0
wait "$tcw_pid" || status=$?
[ "$status" = 143 ] || fail "stopped series: exit $status"
kill -0 "$sleeper" 2> /dev/null && fail "the slow run $sleeper was left running"
[ "$(cut -d, -f6 t.csv | tr '\n' ' ')" = 'm 1 ' ] || fail "stopped series: $(cat t.csv)"
[ "$(ls -A t-series)" = run-1.c45p ] && ! ls | grep -q '\.tmp-' ||
    fail "stopped series left: $(ls -A . t-series)"
echo "series rows agree with tcw experiment"
