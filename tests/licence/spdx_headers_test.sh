#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Vorenx developers
# scripts/spdx-headers.sh on a throw-away tree: --check lists exactly the
# source files that lack the identifier and exits 1; a run adds the lines
# (after a shebang, keeping the mode) to those files only; a second run and
# the check then find nothing to do.
# Usage: spdx_headers_test.sh PATH_TO_SPDX_HEADERS_SH
set -uo pipefail
script=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0
expect() { if [ "$1" = "$2" ]; then echo "ok: $3"; else echo "FAIL: $3: got [$1], expected [$2]"; failures=$((failures + 1)); fi; }

mkdir -p "$tree/src/a" "$tree/.ci" "$tree/tests/data" "$tree/build-x"
printf '#pragma once\nint f();\n' >"$tree/src/a/F.h"
printf '#include "F.h"\nint f() { return 1; }\n' >"$tree/src/a/F.cpp"
printf 'add_library(a F.cpp)\n' >"$tree/src/a/CMakeLists.txt"
printf 'set(X 1)\n' >"$tree/src/a/Rules.cmake"
printf '#!/usr/bin/env bash\necho run\n' >"$tree/.ci/run"
printf '#!/usr/bin/env bash\necho build\n' >"$tree/build.sh"
chmod 755 "$tree/.ci/run" "$tree/build.sh"
# Left alone: a differently licensed file, data, text, a build tree.
printf '// SPDX-License-Identifier: MIT\nint g;\n' >"$tree/src/a/Other.cpp"
printf 'frame 1\n' >"$tree/tests/data/frames.txt"
printf '# notes\n' >"$tree/README.md"
printf 'int generated;\n' >"$tree/build-x/gen.cpp"
printf 'plain words\n' >"$tree/.ci/notes"
cp -r "$tree" "$tree.orig"; trap 'rm -rf "$tree" "$tree.orig"' EXIT

sources=".ci/run build.sh src/a/CMakeLists.txt src/a/F.cpp src/a/F.h src/a/Rules.cmake"
listed=$(bash "$script" --check "$tree" 2>/dev/null | sort | tr '\n' ' ')
bash "$script" --check "$tree" >/dev/null 2>&1
expect "$?" "1" "--check exits 1 while files lack the identifier"
expect "$listed" "$sources " "--check lists exactly the source files lacking it"

bash "$script" "$tree" >/dev/null
for f in $sources; do
  lines=$(grep -c 'SPDX-License-Identifier: GPL-3.0-or-later' "$tree/$f")
  expect "$lines" "1" "$f carries the identifier once"
  expect "$(tail -n +4 "$tree/$f" | head -n 1)" "$(sed -n 2p "$tree.orig/$f")" "$f keeps its body"
done
expect "$(sed -n 1p "$tree/.ci/run")" "#!/usr/bin/env bash" "a shebang stays the first line"
expect "$(sed -n 2p "$tree/.ci/run")" "# SPDX-License-Identifier: GPL-3.0-or-later" "the identifier follows the shebang"
expect "$(sed -n 1p "$tree/src/a/F.h")" "// SPDX-License-Identifier: GPL-3.0-or-later" "C++ takes the // form"
expect "$(stat -c %a "$tree/build.sh")" "755" "a script stays executable"
for f in src/a/Other.cpp tests/data/frames.txt README.md build-x/gen.cpp .ci/notes; do
  cmp -s "$tree/$f" "$tree.orig/$f"; expect "$?" "0" "$f is left alone"
done

cp -r "$tree" "$tree.once"; trap 'rm -rf "$tree" "$tree.orig" "$tree.once"' EXIT
bash "$script" "$tree" >/dev/null
diff -r "$tree" "$tree.once" >/dev/null; expect "$?" "0" "a second run changes nothing"
bash "$script" --check "$tree" >/dev/null 2>&1; expect "$?" "0" "--check passes afterwards"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
