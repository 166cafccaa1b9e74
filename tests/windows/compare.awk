# Compares two transcripts ("T WORD ARGS" lines), the expected one first,
# on the lines whose WORD is one of `words`: each expected line needs an
# actual line of the same text at most `tolerance` ms away from it, and no
# actual line may be left over. With `anchor` set, each side's times count
# from its own first line of that word (the programs start at different
# moments). Prints what does not match and exits 1 then.
#   awk -v words="tx cw chat" -v tolerance=500 [-v anchor=caption] -f compare.awk expected actual
BEGIN {
    n = split(words, list, " ")
    for (i = 1; i <= n; i++) wanted[list[i]] = 1
}
FNR == 1 { f++ }
{
    sub(/\r$/, "")
    if (anchor != "" && $2 == anchor && !((f, "origin") in seen)) { origin[f] = $1; seen[f, "origin"] = 1 }
    if (!($2 in wanted)) next
    k = ++count[f]
    time[f, k] = $1
    text[f, k] = substr($0, length($1) + 2)
}
END {
    bad = 0
    if (order) {
        n = count[1] > count[2] ? count[1] : count[2]
        for (i = 1; i <= n; i++) {
            if (text[1, i] == text[2, i]) continue
            print "    line " i ": expected: " (i <= count[1] ? text[1, i] : "(nothing)")
            print "    line " i ": actual:   " (i <= count[2] ? text[2, i] : "(nothing)")
            exit 1
        }
        exit 0
    }
    for (i = 1; i <= count[1]; i++) {
        found = 0
        for (j = 1; j <= count[2] && !found; j++) {
            if ((j in used) || text[2, j] != text[1, i]) continue
            d = (time[2, j] - origin[2]) - (time[1, i] - origin[1])
            if (d < 0) d = -d
            if (d <= tolerance) { used[j] = 1; found = 1 }
        }
        if (!found) { print "    missing:    " (time[1, i] - origin[1]) " " text[1, i]; bad = 1 }
    }
    for (j = 1; j <= count[2]; j++)
        if (!(j in used)) { print "    unexpected: " (time[2, j] - origin[2]) " " text[2, j]; bad = 1 }
    exit bad
}
