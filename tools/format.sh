#!/usr/bin/env bash
# Formats the project's C++ with .clang-format; with --check, changes nothing
# and fails, naming the places, where a file is not so formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
if [[ ${1:-} == --check ]]; then
  clang-format --dry-run --Werror "${files[@]}" ||
    { echo "not formatted as .clang-format says: run make format" >&2; exit 1; }
else
  clang-format -i "${files[@]}"
fi
