# A private CUPS scheduler for the printing tests, with one queue that writes
# PDF files (cups-pdf). Its configuration, spool, logs and socket live under
# $E2E_WORK, so the machine's own CUPS, running or not, is neither used nor
# disturbed. Source lib.sh first.

PDF_QUEUE=KestrixPDF

# Points the print clients (lpadmin, lpstat and the editor's libcups) at a
# server socket, with a private home and configuration folder: the machine's
# lpoptions and $PRINTER must not choose a default printer for the test.
use_cups_server() {
    export CUPS_SERVER=$1
    mkdir -p "$E2E_WORK/client/home"
    export CUPS_SERVERROOT=$E2E_WORK/client
    export HOME=$E2E_WORK/client/home
    unset PRINTER LPDEST
}

# Starts cupsd in the foreground of a background job and waits until it
# answers; sets CUPS_DIR and CUPSD_PID.
start_cupsd() {
    # The cups-pdf backend (mode 0700) runs only under a root scheduler.
    [ "$(id -u)" -eq 0 ] || skip "printing through cups-pdf needs root"
    [ -x /usr/sbin/cupsd ] && [ -x /usr/lib/cups/backend/cups-pdf ] ||
        fail "CUPS or cups-pdf missing: run scripts/install-deps.sh"
    # Debian's AppArmor profile lets cups-pdf read only the machine-wide
    # cups-pdf.conf, so it could not be sent into the test's folder. It
    # applies where this shell is unconfined (inside a container, the
    # container's own profile rules instead).
    if grep -qs '^/usr/lib/cups/backend/cups-pdf (enforce)' /sys/kernel/security/apparmor/profiles &&
        [ "$(cat /proc/self/attr/current 2>/dev/null)" = unconfined ]; then
        skip "AppArmor confines cups-pdf to the machine-wide settings"
    fi
    CUPS_DIR=$E2E_WORK/cups
    umask 022
    mkdir -p "$CUPS_DIR"/etc/ppd "$CUPS_DIR"/etc/ssl "$CUPS_DIR"/spool/tmp \
        "$CUPS_DIR"/cache "$CUPS_DIR"/state "$CUPS_DIR"/log "$CUPS_DIR"/pdf
    # Filters run as lp and open the spooled files by name.
    chmod 0711 "$E2E_WORK"
    chmod 0755 "$CUPS_DIR"
    cat >"$CUPS_DIR/etc/cups-files.conf" <<EOF
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
TempDir $CUPS_DIR/spool/tmp
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
ServerKeychain $CUPS_DIR/etc/ssl
CreateSelfSignedCerts no
ErrorLog $CUPS_DIR/log/error_log
AccessLog $CUPS_DIR/log/access_log
PageLog $CUPS_DIR/log/page_log
Printcap $CUPS_DIR/printcap
SystemGroup root
EOF
    # Only the private socket, no browsing, and no authentication: nobody
    # else can reach the socket inside the test's folder.
    cat >"$CUPS_DIR/etc/cupsd.conf" <<EOF
LogLevel info
Listen $CUPS_DIR/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    /usr/sbin/cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" \
        >"$CUPS_DIR/log/cupsd.out" 2>&1 &
    CUPSD_PID=$!
    E2E_PIDS+=("$CUPSD_PID")
    use_cups_server "$CUPS_DIR/cups.sock"
    for _ in $(seq 1 300); do
        lpstat -r 2>/dev/null | grep -q "is running" && return 0
        kill -0 "$CUPSD_PID" 2>/dev/null || break
        sleep 0.1
    done
    cat "$CUPS_DIR/log/cupsd.out" "$CUPS_DIR/log/error_log" >&2 2>/dev/null || true
    fail "cupsd did not start"
}

# Adds a cups-pdf queue (by default $PDF_QUEUE with cups-pdf's own PPD), not
# yet the default. cups-pdf reads its settings only from /etc/cups, but takes
# a file of its own for each device URI: this one sends the PDF files, its
# spool and its log into the test's folder; every queue of the test shares it.
add_pdf_queue() {
    local queue=${1:-$PDF_QUEUE} ppd=${2:-/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd} name
    name=kestrix-e2e-${E2E_WORK##*.}
    CUPS_PDF_CONF=/etc/cups/cups-pdf-$name.conf
    if [ ! -e "$CUPS_PDF_CONF" ]; then
        E2E_FILES+=("$CUPS_PDF_CONF")
        cat >"$CUPS_PDF_CONF" <<EOF
Out $CUPS_DIR/pdf
AnonDirName $CUPS_DIR/pdf
Spool $CUPS_DIR/cups-pdf-spool
Log $CUPS_DIR/log
LogType 3
Grp root
TitlePref 1
EOF
    fi
    # The PPD file itself: asking the server for its driver list would make
    # every driver look for printers on the network.
    [ -f "$ppd" ] || fail "no PPD $ppd: run scripts/install-deps.sh"
    # lpadmin warns on stderr that PPD drivers are deprecated.
    lpadmin -p "$queue" -E -v "cups-pdf:/$name" -P "$ppd" \
        -o pdftops-renderer-default=pdftocairo -o TitlePref=1 2>"$CUPS_DIR/log/lpadmin.err" || {
        cat "$CUPS_DIR/log/lpadmin.err" >&2
        fail "lpadmin could not add $queue"
    }
}

# Writes the PPD of a PostScript printer whose printable area is the whole
# sheet: no margin of the printer's own shifts what it prints. Like a PDF
# printer it takes any paper size, A4 by default (Qt keeps its own default
# page margins for such printers).
write_full_page_ppd() {
    cat >"$1" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KXFULL.PPD"
*Manufacturer: "Kestrix tests"
*Product: "(Full page PDF)"
*ModelName: "Kestrix full page PDF"
*ShortNickName: "Kestrix full page PDF"
*NickName: "Kestrix full page PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*TTRasterizer: Type42
*HWMargins: 0 0 0 0
*VariablePaperSize: True
*MaxMediaWidth: 100000
*MaxMediaHeight: 100000
*NonUIOrderDependency: 10 AnySetup *CustomPageSize
*CustomPageSize True: "pop pop pop <</PageSize [5 -2 roll] /ImagingBBox null>> setpagedevice"
*ParamCustomPageSize Width: 1 points 36 100000
*ParamCustomPageSize Height: 2 points 36 100000
*ParamCustomPageSize Orientation: 3 int 0 3
*ParamCustomPageSize WidthOffset: 4 points 0 0
*ParamCustomPageSize HeightOffset: 5 points 0 0
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOF
}

# Jobs of any state on the private server, one line each.
all_jobs() {
    lpstat -W all -o 2>/dev/null || true
}

# Waits until every job has left the queue (completed, cancelled or aborted)
# and at least the given number have.
wait_jobs_done() {
    local count=$1
    for _ in $(seq 1 1200); do
        if [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] &&
            [ "$(lpstat -W completed -o 2>/dev/null | wc -l)" -ge "$count" ]; then
            return 0
        fi
        sleep 0.1
    done
    cups_logs >&2
    return 1
}

cups_logs() {
    echo "== jobs"
    all_jobs
    echo "== scheduler errors"
    grep -E '^[EW] ' "$CUPS_DIR/log/error_log" 2>/dev/null || true
    echo "== cups-pdf"
    cat "$CUPS_DIR"/log/cups-pdf*_log 2>/dev/null || true
}
