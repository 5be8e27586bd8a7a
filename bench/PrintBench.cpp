#include "core/CharacterSheet.h"
#include "print/PrintSheet.h"
#include "print/qt/QtPrintCanvas.h"
#include "print/qt/SheetPdf.h"
#include "tests/print/RecordingCanvas.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <string>

namespace kestrix::bench {
namespace {

constexpr int kDpi = 300;

// Every field filled to the brim: the longest lists, long names.
CharacterSheet fullSheet() {
    CharacterSheet sheet;
    sheet.setName("Guerreiro de Teste com Nome Bem Comprido");
    for (Attribute which : {Attribute::Forca, Attribute::Habilidade, Attribute::Resistencia,
                            Attribute::Armadura, Attribute::PoderDeFogo})
        sheet.setAttribute(which, "3");
    for (MagicPath which : {MagicPath::Fogo, MagicPath::Terra, MagicPath::Agua, MagicPath::Ar,
                            MagicPath::Luz, MagicPath::Trevas})
        sheet.setMagicPath(which, "2");
    for (int i = 0; i < CharacterSheet::kMaxItems; ++i) {
        sheet.addAdvantage("2", "Ataque Especial Penetrante " + std::to_string(i));
        sheet.addDisadvantage("-1", "M\xE1 Fama entre os An\xF5"
                                    "es " +
                                        std::to_string(i));
    }
    return sheet;
}

void BM_PrintSheetRecording(benchmark::State& state) {
    const CharacterSheet sheet = fullSheet();
    const PrintSheetInput input{
        sheet, {PrintPicture::Kind::Bitmap, 0}, {PrintPicture::Kind::Bitmap, 1}};
    for (auto _ : state) {
        RecordingCanvas canvas;
        benchmark::DoNotOptimize(PrintSheet(canvas, input));
        benchmark::DoNotOptimize(canvas.events.size());
    }
}
BENCHMARK(BM_PrintSheetRecording)->Unit(benchmark::kMicrosecond);

// A letter page at 300 dots per inch, as the printer gets it, with the
// shipped character picture and emblem. Clearing the page is left out: a
// printer hands over a blank page.
void BM_PrintSheetImage300Dpi(benchmark::State& state) {
    QImage page(kDpi * 17 / 2, kDpi * 11, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(kDpi / 0.0254));
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    const QImage picture(KESTRIX_SOURCE_DIR "/data/modelo.bmp");
    const QImage emblem(KESTRIX_SOURCE_DIR "/resources/icone.bmp");
    if (picture.isNull() || emblem.isNull()) {
        state.SkipWithError("cannot read the shipped pictures");
        return;
    }
    const CharacterSheet sheet = fullSheet();
    for (auto _ : state) {
        state.PauseTiming();
        page.fill(Qt::white);
        QtPrintCanvas canvas(page);
        const PrintSheetInput input{sheet, canvas.addPicture(QtPrintPicture::bitmap(picture)),
                                    canvas.addPicture(QtPrintPicture::bitmap(emblem))};
        state.ResumeTiming();
        const Result error = PrintSheet(canvas, input);
        if (error) {
            state.SkipWithError(error->message.c_str());
            break;
        }
    }
    state.counters["width"] = page.width();
    state.counters["height"] = page.height();
}
BENCHMARK(BM_PrintSheetImage300Dpi)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Exportar PDF": the same full page as a one-page PDF in memory, pictures
// and fonts embedded; writing the file is left out.
void BM_SheetToPdf(benchmark::State& state) {
    const QImage picture(KESTRIX_SOURCE_DIR "/data/modelo.bmp");
    const QImage emblem(KESTRIX_SOURCE_DIR "/resources/icone.bmp");
    const CharacterSheet sheet = fullSheet();
    const SheetPdfInfo info{"Guerreiro", "Kestrix", QPageSize(QPageSize::A4)};
    qint64 bytes = 0;
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        const Result error =
            writeSheetPdf(buffer, {SheetPdfPage{&sheet, QtPrintPicture::bitmap(picture)}},
                          QtPrintPicture::bitmap(emblem), info);
        if (error) {
            state.SkipWithError(error->message.c_str());
            break;
        }
        bytes = pdf.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SheetToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace kestrix::bench

int main(int argc, char** argv) {
    // Text needs a font database, which needs a GUI application; no window
    // is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The same substitutions as the program, so the page is set in the same faces.
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
