#!/usr/bin/env bash
# The shared object must export the module's entry points and nothing else
# of its own: every defined dynamic symbol is compared with the list.
set -euo pipefail
module=$1
expected=$2
actual=$(nm -D --defined-only "$module" | awk '{print $3}' | grep -v '^_init$\|^_fini$' | sort)
if ! diff <(sort "$expected") <(echo "$actual"); then
  echo "exports of $module differ from $expected (< expected, > actual)" >&2
  exit 1
fi
echo "exports match: $(echo "$actual" | tr '\n' ' ')"
