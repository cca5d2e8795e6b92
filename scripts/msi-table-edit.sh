# Checked edits of a Windows Installer package's tables with msibuild, for scripts/package.sh and
# its test (tests/installer/installer_test.sh). Sourced: the caller sets `msi` (the package),
# `stage` (a folder for scratch files and msibuild.log) and defines `fail` (prints its arguments'
# reason and ends the run). `edit QUERY` runs one query and fails with "changed no row" when it
# changed nothing.

# The first three lines of an exported table name and type its columns.
table() { { msiinfo export "$msi" "$1" 2>/dev/null || true; } | tr -d '\r'; }
cell() { # table, first column's value, column
  table "$1" | awk -F'\t' -v key="$2" -v column="$3" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == column) c = i }
    NR > 3 && $1 == key && c { print $c }'
}
property() { cell Property "$1" Value; }
# A query as msibuild takes it, read back: "VERB TABLE", then a "column<tab>value" line for each
# value it inserts or sets. Texts are in single quotes, which they never hold.
query_values() {
  awk '{
    s = $0
    while (s != "") {
      c = substr(s, 1, 1)
      if (c == " ") { s = substr(s, 2); continue }
      if (c == "'\''") {
        end = index(substr(s, 2), "'\''"); if (!end) end = length(s)
        t[++n] = substr(s, 2, end - 1); quoted[n] = 1; s = substr(s, end + 2); continue
      }
      if (index("(),=", c)) { t[++n] = c; s = substr(s, 2); continue }
      match(s, /^[^ (),='\'']+/); t[++n] = substr(s, 1, RLENGTH); s = substr(s, RLENGTH + 1)
    }
    verb = toupper(t[1])
    if (verb == "UPDATE") {
      print verb, t[2]
      for (i = 4; i + 2 <= n; i += 4) { print t[i] "\t" t[i + 2]; if (t[i + 3] != ",") break }
    } else {
      print verb, t[3]
      if (verb != "INSERT") exit
      for (i = 5; i <= n && t[i] != ")"; i++) if (t[i] != "," || quoted[i]) column[++columns] = t[i]
      for (i += 3; i <= n && t[i] != ")"; i++) if (t[i] != "," || quoted[i]) print column[++v] "\t" t[i]
    }
  }'
}
# Runs one query and reads its table back: it must have changed a row (a row that a later wixl no
# longer writes, or already writes so, fails here rather than going unnoticed), and every row it
# inserted or changed must hold the values the query gave.
edit() { # query
  local query=$1 verb name differences
  query_values <<<"$query" >"$stage/edit"
  read -r verb name <"$stage/edit"
  table "$name" | sed 1,3d | sort >"$stage/before"
  msibuild "$msi" -q "$query" >>"$stage/msibuild.log" 2>&1 || {
    cat "$stage/msibuild.log" >&2
    fail "msibuild could not change the package: $query"
  }
  table "$name" | sed 1,3d | sort >"$stage/after"
  comm -13 "$stage/before" "$stage/after" >"$stage/written"
  comm -23 "$stage/before" "$stage/after" >"$stage/removed"
  case $verb in
    INSERT) [ "$(wc -l <"$stage/written")" -eq 1 ] && ! [ -s "$stage/removed" ] ;;
    UPDATE) [ -s "$stage/written" ] ;;
    DELETE) [ -s "$stage/removed" ] && ! [ -s "$stage/written" ] ;;
    *) false ;;
  esac || fail "this query changed no row of the table $name: $query"
  table "$name" | head -n 1 >"$stage/columns"
  differences=$(awk -F'\t' '
    FILENAME == ARGV[1] { for (i = 1; i <= NF; i++) at[$i] = i; next }
    FILENAME == ARGV[2] { if (FNR > 1) want[$1] = $2; next }
    { for (c in want) if (!at[c] || $at[c] "" != want[c] "") print c " reads \"" $at[c] "\"" }
  ' "$stage/columns" "$stage/edit" "$stage/written")
  [ -z "$differences" ] || fail "$name does not read as the query wrote it: $query: $differences"
}
