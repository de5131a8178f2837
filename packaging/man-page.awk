# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a man page (roff) from a program's --help text, the one source of both.
#   awk -v name=N -v section=S -v summary=TEXT -v date=YYYY-MM-DD -v version=V \
#       -v manual=TITLE -v seealso="a(1) b(6)" -f man-page.awk HELP.txt
# The help text's shape: "Usage: NAME ARGS" first; the description, in paragraphs, up to
# the first heading ("Options:" at the left margin); under a heading, items indented two
# spaces ("  TERM   description"), their descriptions going on further indented.

function esc(s) {
    gsub(/\\/, "\\e", s)
    gsub(/-/, "\\-", s)
    if (s ~ /^[.']/) s = "\\&" s
    return s
}

function trim(s) {
    sub(/^ +/, "", s)
    sub(/ +$/, "", s)
    return s
}

BEGIN {
    print ".\\\" Generated from the --help text of " name "; edit that, not this page."
    printf ".TH %s %s \"%s\" \"%s %s\" \"%s\"\n", toupper(esc(name)), section, date, name, version, manual
    print ".SH NAME"
    print esc(name) " \\- " esc(summary)
    pending = ""
}

NR == 1 {
    synopsis = $0
    sub(/^[^:]*: */, "", synopsis)
    rest = substr(synopsis, length(name) + 1)
    print ".SH SYNOPSIS"
    print "\\fB" esc(name) "\\fR" esc(rest)
    print ".SH DESCRIPTION"
    next
}

/^$/ { pending = ".PP"; next }

/^[^ ].*:$/ {
    heading = $0
    sub(/:$/, "", heading)
    print ".SH " toupper(esc(heading))
    pending = ""
    next
}

/^  [^ ]/ {
    line = substr($0, 3)
    split_at = match(line, /   */)
    term = split_at ? substr(line, 1, split_at - 1) : line
    text = split_at ? trim(substr(line, split_at)) : ""
    print ".TP"
    print "\\fB" esc(term) "\\fR"
    if (text != "") print esc(text)
    pending = ""
    next
}

{
    if (pending != "") print pending
    pending = ""
    print esc(trim($0))
}

END {
    if (seealso != "") {
        print ".SH SEE ALSO"
        n = split(seealso, refs, " ")
        for (i = 1; i <= n; ++i) {
            ref = refs[i]
            page = ref
            sub(/\(.*/, "", page)
            sect = ref
            sub(/^[^(]*/, "", sect)
            printf "\\fB%s\\fR%s%s\n", esc(page), sect, i < n ? "," : ""
        }
    }
}
