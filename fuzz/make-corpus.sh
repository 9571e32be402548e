#!/usr/bin/env bash
# Writes the seed corpus from the texts the window's lists offer: month names, day numbers,
# the listed years, weeks and days, and the millimetre values of the three measurements,
# assembled as the calculations receive them. Run once after the lists change; the corpus
# is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"

months=(January February March April May June July August September October November December)
years=(1980 1999 2000 2001 2019 2020 1000 9999)
days=(1 9 10 28 29 30 31)

rm -rf corpus
mkdir -p corpus/datetext corpus/wholenumber corpus/dating

for n in $(seq 0 6) $(seq 7 22) $(seq 10 56) $(seq 75 5 195) $(seq 1980 2020) 999999; do
    printf '%s' "$n" >"corpus/wholenumber/$n"
done

i=0
for m in "${months[@]}"; do
    for d in "${days[@]}"; do
        y=${years[$((i % ${#years[@]}))]}
        printf '%s %s %s' "$d" "$m" "$y" >"corpus/datetext/$d-$m-$y"
        i=$((i + 1))
    done
done

# choice, millimetres, weeks, days, day, month, year, birth day, birth month, birth year
dating() {
    local name=$1
    shift
    printf '%s\n' "$@" | head -c -1 >"corpus/dating/$name"
}
dating lmp L 37 18 0 1 January 2000 1 October 2000
dating lmp-leap L 37 18 0 29 February 2000 7 October 2000
dating lmp-early L 37 18 0 1 January 1980 1 January 1980
dating crl C 33 18 0 15 March 2001 20 October 2001
dating crl-small C 10 18 0 31 December 2020 1 January 2020
dating bpd B 37 18 0 1 January 2000 29 February 2000
dating bpd-large B 55 18 0 30 June 1999 30 September 1999
dating hc H 135 18 0 1 January 2000 7 October 2000
dating hc-large H 195 18 0 31 May 2019 28 February 2020
dating derived D 37 18 0 1 January 2000 1 June 2000
dating derived-late D 37 22 6 31 August 2020 31 December 2020
dating derived-early D 37 7 0 1 November 1980 1 January 1981
