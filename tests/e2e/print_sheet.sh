#!/usr/bin/env bash
# A user prints a character with Ctrl+P. Without a reachable print server
# every Ctrl+P reports the missing printer instead of opening the print
# dialog, and nothing is printed; "Exportar PDF" still works then. With a
# server whose only queue is not the default, the print dialog opens on that
# queue. Once the PDF queue is the default, Ctrl+P opens the print dialog,
# Enter prints, and the queue writes one page carrying the whole sheet at its
# printed size, from the paper's corner (the queue can print on the whole
# page), titled with the character's name; the exported PDF of the same
# character is that page, element for element, moved in by the fixed
# printable-area offset. A queue that refuses jobs, and a server gone
# while the print dialog is open, bring up the error box, never a silent
# success.
KESTRIX_EXE=$1
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
source "$here/cups.sh"

for tool in pdfinfo pdftotext pdftoppm pdfimages lpadmin lpstat cupsreject cupsaccept; do
    command -v "$tool" >/dev/null || fail "$tool missing: run scripts/install-deps.sh"
done

error_title="Kestrix For Windows 95"

# Qt's print dialog speaks Portuguese, whatever the locale.
print_title="Imprimir"

# Ctrl+P opens the print dialog and Enter confirms it; prints the dialog's id.
print_with_dialog() {
    local main=$1 dialog
    xdotool windowfocus --sync "$main"
    press ctrl+p
    dialog=$(wait_window "$print_title") || fail "Ctrl+P with a default printer opened no Portuguese print dialog"
    echo "$dialog"
}

confirm_dialog() {
    local dialog=$1
    xdotool windowfocus --sync "$dialog"
    press Return
    window_closed "$dialog" || fail "Enter did not close the print dialog"
}

# The error box must come up after the print dialog; Enter closes it.
expect_print_error() {
    local main=$1 what=$2 box
    box=$(wait_other_window "$error_title" "$main") || fail "$what was reported as printed"
    xdotool windowfocus --sync "$box"
    press Return
    window_closed "$box" || fail "Enter did not close the error box ($what)"
}

# Ctrl+P must bring up the error box, and no print dialog, every time.
expect_no_printer_error() {
    local main=$1 round box
    for round in 1 2; do
        xdotool windowfocus --sync "$main"
        press ctrl+p
        box=$(wait_other_window "$error_title" "$main") ||
            fail "Ctrl+P without a default printer showed no error box (round $round)"
        xdotool search --onlyvisible --name "^(Print|$print_title)\$" >/dev/null 2>&1 &&
            fail "the print dialog opened without a default printer (round $round)"
        xdotool windowfocus --sync "$box"
        press Return
        window_closed "$box" || fail "Enter did not close the error box (round $round)"
    done
}

# Waits for a visible window with this title other than the given one (the
# title search ignores case, and the main window's caption differs from the
# error box's only in case).
wait_other_window() {
    local title=$1 other=$2 id
    for _ in $(seq 1 300); do
        for id in $(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true); do
            [ "$id" != "$other" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

window_closed() {
    local id=$1
    for _ in $(seq 1 100); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$id" || return 0
        sleep 0.1
    done
    return 1
}

start_x
# Attributes in record order: forca, habilidade, resistencia, armadura,
# poderdefogo, then fogo, terra, agua, ar, luz, trevas. The texts print as
# typed; the totals read their leading numbers.
python3 "$here/make_character.py" "$E2E_WORK/zuleica.QsZ" \
    --name "Zuleica Tempestade Ígnea" \
    --values "7,12x,-3,\$1F,abc,101,404,202,303,505,-606" \
    --advantage "2 Aceleração" --advantage "1 Perícia : Esportes" \
    --advantage "3 Voo Rasante" \
    --disadvantage "-1 Código de Honra" --disadvantage "-2 Má Fama" \
    --observation "Segredo que não se imprime"

# 1. No print server at all.
use_cups_server "$E2E_WORK/no-server.sock"
cd "$E2E_WORK"
open_main_window zuleica.QsZ
main=$MAIN_WINDOW
expect_no_printer_error "$main"
stop_started "$EDITOR_PID"
"$KESTRIX_EXE" --export-pdf "$E2E_WORK/sem-impressora.pdf" zuleica.QsZ ||
    fail "exporting a PDF failed without a print server"
pdftotext "$E2E_WORK/sem-impressora.pdf" - | grep -q "Zuleica Tempestade" ||
    fail "the PDF exported without a print server lacks the sheet"

# 2. A server with the PDF queue, which is not the default yet.
start_cupsd
write_full_page_ppd "$E2E_WORK/full-page.ppd"
add_pdf_queue "$PDF_QUEUE" "$E2E_WORK/full-page.ppd"
open_main_window zuleica.QsZ
main=$MAIN_WINDOW
dialog=$(print_with_dialog "$main")
xdotool windowfocus --sync "$dialog"
press Escape
window_closed "$dialog" || fail "Escape did not close the print dialog"
[ -z "$(all_jobs)" ] || fail "a cancelled print dialog queued a job: $(all_jobs)"

# 3. The PDF queue becomes the default; the same editor now prints.
lpadmin -d "$PDF_QUEUE" || fail "lpadmin could not make $PDF_QUEUE the default"
dialog=$(print_with_dialog "$main")
confirm_dialog "$dialog"
wait_jobs_done 1 || fail "the print job did not finish"
[ "$(all_jobs | wc -l)" -eq 1 ] || fail "expected one job, got: $(all_jobs)"

pdfs=("$CUPS_DIR"/pdf/*.pdf)
[ ${#pdfs[@]} -eq 1 ] && [ -s "${pdfs[0]}" ] || { cups_logs >&2; fail "expected one PDF, got: ${pdfs[*]}"; }
# The job carries the character's name, so that on a shared queue everyone
# tells whose sheet is whose: cups-pdf names its file after the job's title.
case "${pdfs[0]##*/}" in
*Zuleica*) ;;
*) fail "the print job is not titled with the character's name: ${pdfs[0]##*/}" ;;
esac
# KESTRIX_PRINTED_PDF=path keeps a copy of the page for a look.
[ -z "${KESTRIX_PRINTED_PDF:-}" ] || cp "${pdfs[0]}" "$KESTRIX_PRINTED_PDF"
python3 "$here/check_printed_sheet.py" "${pdfs[0]}" || fail "the printed sheet is wrong"
"$KESTRIX_EXE" --export-pdf "$E2E_WORK/exportado.pdf" zuleica.QsZ || fail "exporting a PDF failed"
python3 "$here/compare_exported_sheet.py" "${pdfs[0]}" "$E2E_WORK/exportado.pdf" ||
    fail "the exported PDF is not the printed page"

# 4. The queue stops accepting jobs: the print system's refusal is reported.
cupsreject "$PDF_QUEUE" || fail "cupsreject failed"
dialog=$(print_with_dialog "$main")
confirm_dialog "$dialog"
expect_print_error "$main" "a job the queue refused"
[ "$(all_jobs | wc -l)" -eq 1 ] || fail "a refused job was queued: $(all_jobs)"
cupsaccept "$PDF_QUEUE" || fail "cupsaccept failed"

# 5. The server goes away while the print dialog is open.
dialog=$(print_with_dialog "$main")
stop_started "$CUPSD_PID"
confirm_dialog "$dialog"
expect_print_error "$main" "a job for a server gone since the dialog"
pdfs=("$CUPS_DIR"/pdf/*.pdf)
[ ${#pdfs[@]} -eq 1 ] || fail "expected still one PDF, got: ${pdfs[*]}"
echo "print sheet: ok"
