#!/usr/bin/env bash
# kestrune-cli.exe under wine prints the bytes of the Linux kestrune-cli for
# every dump of tests/corpus and every DMI fixture, in all four formats with
# the clock given; a bad input (a JSON file) gives the same error and exit
# code. The time of day that reports carry is masked on both sides: a wine
# start on a busy machine can take more than the second that the retries of
# compare_outputs.sh allow for.
#   same_bytes.sh LINUX_CLI WINE_RUN PREFIX EXE
# Exits 77 (skipped) with the reason when there is no Linux build to compare
# with or wine cannot start.
set -uo pipefail
linux=$1 wine_run=$2 prefix=$3 exe=$4
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -x "$linux" ]; then
    echo "no Linux kestrune-cli at $linux (build it first): nothing to compare with"
    exit 77
fi
bash "$wine_run" "$prefix" "$exe" --version >/dev/null || exit $?

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# masked NAME COMMAND...: a program that runs COMMAND with its arguments and
# masks the time of day of its output.
masked() {
    local name=$1
    shift
    {
        echo '#!/usr/bin/env bash'
        printf '%q ' "$@"
        echo '"$@" | LC_ALL=C sed -E '"'"'s/^(datetime=[^,]*, )[0-9:]+/\1T/; s/(Reported by Kestrune version [^(]*\([^,]*, )[0-9:]+\)/\1T)/'"'"
        echo 'exit "${PIPESTATUS[0]}"'
    } >"$work/$name"
    chmod +x "$work/$name"
}
masked kestrune-cli "$linux"
masked kestrune-cli.exe bash "$wine_run" "$prefix" "$exe"
mkdir "$work/dumps"
cp "$top"/tests/corpus/*.txt "$work/dumps/"
cp "$top/tests/corpus/via-nehemiah.expected.json" "$work/dumps/"
dmis=$top/../shared/dmi-fixtures
[ -d "$dmis" ] || dmis=$top/tests/dmi/fixtures
bash "$top/scripts/compare_outputs.sh" "$work/kestrune-cli" "$work/kestrune-cli.exe" "$work/dumps" "$dmis" | tail -n 40
