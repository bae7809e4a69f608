#!/bin/sh
# Every catalog po/LINGUAS names: clean for msgfmt --check (formats, header, one "&" shortcut
# where the Russian has one), and complete: each entry of the template translated, none fuzzy.
# Usage: check_catalogs.sh PO_DIR
set -u
dir=$1
status=0
for lang in $(grep -v '^#' "$dir/LINGUAS"); do
  po=$dir/$lang.po
  msgfmt --check --check-accelerators='&' -o /dev/null "$po" || status=1
  # Reports each entry of the template that the catalog lacks or leaves untranslated.
  msgcmp "$po" "$dir/tarvilon.pot" || status=1
  for kind in untranslated only-fuzzy; do
    left=$(msgattrib --$kind --no-obsolete "$po")
    if [ -n "$left" ]; then
      echo "$po: $kind entries:"
      echo "$left"
      status=1
    fi
  done
done
exit $status
