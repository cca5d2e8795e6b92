# Sourced by the checks that read the C++ sources: `calmora_sources` lists them, from the
# repository's root, as git's list in a checkout and every file of the tree anywhere else (an
# exported tree, a source archive), so that a check never passes for having read nothing.
calmora_sources() {
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h'
  else
    find . \( -path ./build -o -path './.*' \) -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) \
      -print | sed 's|^\./||'
  fi
}
