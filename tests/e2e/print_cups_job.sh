#!/usr/bin/env bash
# Print jobs on real queues of a private CUPS server, driven by the
# print_cups_tests program: a page choice made in the print dialog never
# leaves the sheet out, a queue that refuses jobs and a server gone since the
# dialog are reported with the print system's message. Every PDF the queue
# writes must then carry the whole sheet on every page.
CUPS_TESTS=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
source "$here/cups.sh"

for tool in pdfinfo pdftotext lpadmin lpstat cupsreject; do
    command -v "$tool" >/dev/null || fail "$tool missing: run scripts/install-deps.sh"
done

start_cupsd
add_pdf_queue
lpadmin -d "$PDF_QUEUE" || fail "lpadmin could not make $PDF_QUEUE the default"
refusing=KestrixRefusing
add_pdf_queue "$refusing"
cupsreject "$refusing" || fail "cupsreject failed"

export KESTRIX_TEST_QUEUE=$PDF_QUEUE KESTRIX_TEST_REJECTING_QUEUE=$refusing
export KESTRIX_TEST_GONE_SERVER=$E2E_WORK/gone.sock
QT_QPA_PLATFORM=offscreen "$CUPS_TESTS" || { cups_logs >&2; fail "print_cups_tests failed"; }

# The two jobs of the page-choice test; nothing from the refused ones.
wait_jobs_done 2 || fail "the print jobs did not finish"
pdfs=("$CUPS_DIR"/pdf/*.pdf)
[ ${#pdfs[@]} -eq 2 ] || { cups_logs >&2; fail "expected two PDFs, got: ${pdfs[*]}"; }
for pdf in "${pdfs[@]}"; do
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    sheets=$(pdftotext "$pdf" - | grep -c "Lyra da Torre" || true)
    [ "$pages" -ge 1 ] && [ "$sheets" -eq "$pages" ] ||
        fail "$pdf: $pages page(s), $sheets with the sheet"
done
echo "print cups job: ok"
