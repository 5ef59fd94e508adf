#!/usr/bin/env bash
# make_pdf_seeds.sh DIR: seed inputs for fuzz_pdf_document: the small PDFs of
# the shared corpus and qpdf rewrites of them in the other structural forms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
mkdir -p "$out"
corpus="$root/../shared/corpus"
for f in "$corpus"/*.pdf; do
  [ -e "$f" ] || continue
  [ "$(stat -c %s "$f")" -le 150000 ] || continue
  b=$(basename "$f" .pdf)
  cp "$f" "$out/$b.pdf"
  case "$b" in *rc4*|*aes*) continue ;; esac
  if command -v qpdf >/dev/null; then
    qpdf --object-streams=generate "$f" "$out/$b-objstm.pdf" 2>/dev/null || true
    qpdf --qdf "$f" "$out/$b-qdf.pdf" 2>/dev/null || true
    qpdf --linearize "$f" "$out/$b-lin.pdf" 2>/dev/null || true
  fi
done
printf '%%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n3 0 obj<</Length 5/Filter[/AHx/A85]>>stream\n41>\nendstream endobj\nxref\n0 4\n0000000000 65535 f \n0000000009 00000 n \n0000000052 00000 n \n0000000097 00000 n \ntrailer<</Root 1 0 R/Size 4>>\nstartxref\n164\n%%%%EOF\n' >"$out/tiny.pdf"
