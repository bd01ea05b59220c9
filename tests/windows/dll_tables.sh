#!/usr/bin/env bash
# vantrel.dll as the host sees it: a PE32 i386 DLL whose export table holds
# exactly the module's four names and whose import table names exactly the
# listed functions of each DLL. Compared line by line with the checked-in
# list, so that any new import (a runtime helper the compiler slipped in,
# say) or any lost export fails here.
set -euo pipefail
dll=$1
expected=$2
actual=$(llvm-readobj --file-headers --coff-exports --coff-imports "$dll" | awk '
  /^Format:/ { print "format " $2 }
  /Characteristics \[/ { inChars = 1 }
  inChars && /IMAGE_FILE_DLL/ { print "characteristic IMAGE_FILE_DLL" }
  inChars && /\]/ { inChars = 0 }
  /^Import \{/ { inImport = 1 }
  /^Export \{/ { inExport = 1 }
  inImport && /^  Name:/ { dll = $2 }
  inImport && /^  Symbol:/ { print "import " dll " " $2 }
  inExport && /^  Name:/ && NF > 1 { print "export " $2 }
  /^\}/ { inImport = 0; inExport = 0 }
' | sort)
if ! diff <(grep -v '^#' "$expected" | sort) <(echo "$actual"); then
  echo "tables of $dll differ from $expected (< expected, > actual)" >&2
  exit 1
fi
echo "tables match: $(echo "$actual" | wc -l) entries"
