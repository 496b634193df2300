#!/usr/bin/env bash
# Measures the test suite: plants one realistic fault at a time (the table is
# scripts/mutations.txt) in a copy of the working tree, rebuilds it, runs the
# whole suite there and records whether a test noticed. The copy (tracked and
# untracked files as they stand) lives in build/mutate/tree, so the tree you
# work in is never touched; PALABRUM_MUTATE_DIR gives another place, so that
# two runs can go side by side.
#
#   scripts/mutate.sh                 every fault, then the table and "killed K of N"
#   scripts/mutate.sh BD03 'archive'  the fault BD03, and every fault whose id, file or name matches
#   scripts/mutate.sh --list [...]    the faults, each marked when its text is not found exactly once
#
# Results: build/mutate/results.txt; each fault's build and test output: build/mutate/logs/ID.log.
# Needs git (to list the files of the tree) and python3.
set -euo pipefail
cd "$(dirname "$0")/.."

table=$(realpath -m "${PALABRUM_MUTATIONS:-scripts/mutations.txt}")
build=$(realpath -m "${PALABRUM_MUTATE_DIR:-build/mutate}")
tree=$build/tree
out=$build/out
work=$build/mutate-work
pending=$work/pending     # the planted file's name while a fault is in it

# The table reader: `select ARGS...` prints id, file, name and how often the
# text occurs; `apply ID IN OUT` writes IN with the fault to OUT, or fails
# unless the text occurs exactly once in IN.
read -r -d '' reader <<'PY' || true
import re, sys

def faults(path):
    fault = None
    for line in open(path, encoding="utf-8").read().split("\n"):
        head = re.fullmatch(r"\[(\w+)\]\s+(\S+):\s*(.*)", line)
        if head:
            fault = {"id": head[1], "file": head[2], "name": head[3], "-": [], "+": []}
            yield fault
        elif fault and line[:1] in ("-", "+") and line[1:2] in ("", " "):
            fault[line[0]].append(line[2:])

def count(f):
    try:
        return open(f["file"], encoding="utf-8", newline="").read().count("\n".join(f["-"])) if f["-"] else 0
    except OSError:
        return 0

mode, args = sys.argv[2], sys.argv[3:]
table = list(faults(sys.argv[1]))
if mode == "select":
    ids = {f["id"].lower() for f in table}
    exact = {a.lower() for a in args if a.lower() in ids}
    patterns = [a for a in args if a.lower() not in ids]
    for f in table:
        if (not args or f["id"].lower() in exact
                or any(re.search(p, " ".join((f["id"], f["file"], f["name"])), re.I) for p in patterns)):
            print(f["id"], f["file"], f["name"], count(f), sep="\t")
elif mode == "apply":
    f = next(f for f in table if f["id"] == args[0])
    text = open(args[1], encoding="utf-8", newline="").read()
    find = "\n".join(f["-"])
    if not find or text.count(find) != 1:
        sys.exit(1)
    open(args[2], "w", encoding="utf-8", newline="").write(text.replace(find, "\n".join(f["+"])))
PY
faults() { python3 -c "$reader" "$table" "$@"; }

# Puts the planted file back. Plain cp gives it a fresh time, so that ninja
# rebuilds it. A file that someone changed meanwhile is left alone.
restore() {
    [ -f "$pending" ] || return 0
    local file
    file=$(cat "$pending")
    if cmp -s "$file" "$work/mutant"; then
        cp "$work/original" "$file"
    elif ! cmp -s "$file" "$work/original"; then
        local kept="$work/original.$(date +%s)"
        cp "$work/original" "$kept"
        echo "mutate: $file changed while a fault was in it; left as it is, original kept in $kept" >&2
    fi
    rm -f "$pending"
}

# The suite, less the tests seen failing without any fault. Memory is capped
# so that a reader fault which allocates what a file declares fails that test
# rather than the machine.
skipped=()
suite() {
    local skip=()
    [ ${#skipped[@]} -eq 0 ] || skip=(-E "^($(IFS='|'; echo "${skipped[*]}"))\$")
    (ulimit -v 4000000; ctest --test-dir "$out" -j2 --timeout 120 --no-tests=error "${skip[@]}" "$@")
}

# The failed tests that ctest's summary lists in a log, one "name<TAB>status" a line.
failures() { sed -nE 's/^\s+[0-9]+ - (\S+) \((.*)\)$/\1\t\2/p' "$1"; }

# Builds and runs the suite with the fault in place: "survived", "killed by TEST (STATUS)" or "broken (WHY)".
judge() {
    cmake --build "$out" -j2 >>"$log" 2>&1 || { echo "broken (no build)"; return; }
    suite --stop-on-failure >>"$log" 2>&1 && { echo survived; return; }
    local by
    by=$(failures "$log" | head -n 1)
    [ -n "$by" ] && echo "killed by ${by%%$'\t'*} (${by#*$'\t'})" || echo "broken (ctest failed without a failing test)"
}

# With the fault gone again, a kill or a broken build must go away too; if it
# does not, someone else's change in the shared tree or a flaky test caused it.
confirm() {
    local result=$1
    if [[ $result == killed* || $result == "broken (no build)" ]]; then
        if ! cmake --build "$out" -j2 >>"$log" 2>&1; then
            result="unclear (no build without the fault either)"
        elif [[ $result == killed* ]]; then
            local test=${result#killed by }
            test=${test% (*}
            suite -R "^$test\$" >>"$log" 2>&1 || result="unclear ($test fails without the fault too)"
        fi
    fi
    echo "$result"
}

# Ninja and ctest catch Ctrl+C and only report it, and then bash runs no INT
# trap: their report in the log is what ends the run.
stop_if_interrupted() {
    if grep -qE 'interrupted by user|Exception: Interrupt' "$log"; then echo "mutate: interrupted" >&2; exit 130; fi
}

[ -f "$table" ] || { echo "mutate: no table $table" >&2; exit 2; }
if [ "${1:-}" = "--list" ]; then
    shift
    faults select "$@" | while IFS=$'\t' read -r id file name found; do
        [ "$found" = 1 ] && note="" || note="  <- text found $found times"
        printf '%-5s %-30s %s%s\n' "$id" "$file" "$name" "$note"
    done
    exit 0
fi

# The copy is brought up to date file by file: a file whose text differs from
# the tree's (changed since the last run, from another checkout, or left with
# a fault by a run that was stopped) is copied afresh, with a new time, so that
# ninja builds again exactly what changed; files gone from the tree go too.
rm -rf "$work"
mkdir -p "$work" "$build/logs" "$tree"
# The table as it stands now: editing it during a run changes nothing of the run.
cp "$table" "$work/mutations.txt"
table=$work/mutations.txt
git ls-files -z --cached --others --exclude-standard | python3 -c '
import filecmp, os, shutil, sys
tree = sys.argv[1]
wanted = {f for f in sys.stdin.read().split("\0") if f and os.path.isfile(f)}
for f in wanted:
    copy = os.path.join(tree, f)
    if not (os.path.isfile(copy) and filecmp.cmp(f, copy, shallow=False)):
        os.makedirs(os.path.dirname(copy) or tree, exist_ok=True)
        shutil.copyfile(f, copy)
        shutil.copymode(f, copy)
for root, _, files in os.walk(tree):
    for name in files:
        if os.path.relpath(os.path.join(root, name), tree) not in wanted:
            os.remove(os.path.join(root, name))
' "$tree"
cd "$tree"
trap restore EXIT

trap 'exit 130' INT TERM HUP

selected=$(faults select "$@")
[ -n "$selected" ] || { echo "mutate: no fault matches: $*" >&2; exit 2; }
[ -f "$out/build.ninja" ] || cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null

# Tests that fail without any fault would "kill" every fault: they are left
# out, here and whenever a kill turns out to be theirs.
leave_out() {
    echo "Left out from now on, as it fails without any fault: $1"
    skipped+=("$1")
}
echo "Building and testing without a fault first..."
log=$build/logs/baseline.log
: >"$log"
cmake --build "$out" -j2 >>"$log" 2>&1 || { stop_if_interrupted; echo "mutate: the tree does not build; see $log" >&2; exit 1; }
if ! suite >>"$log" 2>&1; then
    stop_if_interrupted
    failing=$(failures "$log" | cut -f1)
    [ -n "$failing" ] || { echo "mutate: ctest failed without a failing test; see $log" >&2; exit 1; }
    for test in $failing; do leave_out "$test"; done
fi

total=$(grep -c . <<<"$selected")
rows=()
n=0
while IFS=$'\t' read -r -u 3 id file name _; do
    n=$((n + 1))
    log=$build/logs/$id.log
    : >"$log"
    t=$SECONDS
    # A result that the tree without the fault explains is judged again: up to
    # three times, after a minute's wait when the tree did not build at all.
    for attempt in 1 2 3; do
        if ! { cp "$file" "$work/original" 2>/dev/null && faults apply "$id" "$work/original" "$work/mutant"; }; then
            result="broken (text found $(faults select "$id" | cut -f4) times)"
            break
        fi
        echo "$file" >"$pending"
        cp "$work/mutant" "$file"
        result=$(judge)
        restore
        stop_if_interrupted
        result=$(confirm "$result")
        stop_if_interrupted
        if [[ $result =~ ^unclear\ \((.+)\ fails\ without ]]; then
            leave_out "${BASH_REMATCH[1]}"
        elif [[ $result == unclear* ]]; then
            sleep 60
        else
            break
        fi
    done
    printf '[%d/%d] %s %s: %s (%d s)\n' "$n" "$total" "$id" "$name" "$result" $((SECONDS - t))
    rows+=("$(printf '%-5s  %-30s  %-62s  %s' "$id" "$file" "$name" "$result")")
done 3<<<"$selected"

count() { printf '%s\n' "${rows[@]}" | grep -c "  $1" || true; }
{
    printf '%-5s  %-30s  %-62s  %s\n' id file name result
    printf '%s\n' "${rows[@]}"
    echo
    [ ${#skipped[@]} -eq 0 ] || echo "left out, as they failed without any fault: ${skipped[*]}"
    echo "killed $(count killed) of $total (survived $(count survived), broken $(count broken)," \
         "unclear $(count unclear); $((SECONDS / 60)) min)"
} | tee "$build/results.txt"
