# Compares two transcripts ("T WORD ARGS" lines), the expected one first,
# on the lines whose WORD is one of `words`: the same texts in the same
# order, times aside. Prints the first line that differs and exits 1 then.
#   awk -v words="tx cw chat" -f compare.awk expected actual
BEGIN {
    n = split(words, list, " ")
    for (i = 1; i <= n; i++) wanted[list[i]] = 1
}
FNR == 1 { f++ }
{
    sub(/\r$/, "")
    if (!($2 in wanted)) next
    text[f, ++count[f]] = substr($0, length($1) + 2)
}
END {
    n = count[1] > count[2] ? count[1] : count[2]
    for (i = 1; i <= n; i++) {
        if (text[1, i] == text[2, i]) continue
        print "    line " i ": expected: " (i <= count[1] ? text[1, i] : "(nothing)")
        print "    line " i ": actual:   " (i <= count[2] ? text[2, i] : "(nothing)")
        exit 1
    }
}
