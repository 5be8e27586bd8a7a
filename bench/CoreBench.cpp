#include "bench/BenchFiles.h"
#include "core/Catalogue.h"
#include "core/CharacterSheet.h"
#include "core/LeadingNumber.h"
#include "storage/CatalogueFile.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace kestrix::bench {
namespace {

// What the totals read: item lines, typed values, and the odd cases (hex,
// overflow, trailing text, nothing numeric at all).
const std::vector<std::string> kLeadingNumberInputs = {
    "3 Ataque Especial",
    "-2 M\xE1 Fama",
    "0",
    "5",
    "  12",
    "$1F",
    "-1 Var.",
    "abc",
    "",
    "2147483648",
    "+4 Membros Extras",
    "-",
    "99999x",
    "$FFFFFFFF",
    "-3 Insano",
};

void BM_LeadingNumber(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& text : kLeadingNumberInputs)
            benchmark::DoNotOptimize(leadingNumberValue(text));
    }
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(kLeadingNumberInputs.size()));
}
BENCHMARK(BM_LeadingNumber);

CharacterSheet fullSheet() {
    CharacterSheet sheet;
    sheet.setName("Guerreiro de Teste");
    for (Attribute which : {Attribute::Forca, Attribute::Habilidade, Attribute::Resistencia,
                            Attribute::Armadura, Attribute::PoderDeFogo})
        sheet.setAttribute(which, "3");
    for (MagicPath which : {MagicPath::Fogo, MagicPath::Terra, MagicPath::Agua, MagicPath::Ar,
                            MagicPath::Luz, MagicPath::Trevas})
        sheet.setMagicPath(which, "1");
    for (int i = 0; i < CharacterSheet::kMaxItems; ++i) {
        sheet.addAdvantage(std::to_string(i % 3 + 1), "Ataque Especial " + std::to_string(i));
        sheet.addDisadvantage("-" + std::to_string(i % 2 + 1), "M\xE1 Fama " + std::to_string(i));
    }
    return sheet;
}

void BM_RecomputeAllTotals(benchmark::State& state) {
    CharacterSheet sheet = fullSheet();
    for (auto _ : state) {
        sheet.recomputeAll();
        benchmark::DoNotOptimize(sheet.totals());
    }
}
BENCHMARK(BM_RecomputeAllTotals);

// Reading the file and parsing it, as start-up does for each catalogue.
void BM_LoadCatalogueFile(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("vantagem.lib");
    writeFile(path, catalogueText(static_cast<int>(state.range(0)), Catalogue::kAdvantageMarker));
    for (auto _ : state) {
        Catalogue catalogue = Catalogue::advantages();
        if (loadCatalogueFile(path, catalogue)) {
            state.SkipWithError("cannot read the catalogue");
            break;
        }
        benchmark::DoNotOptimize(catalogue.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadCatalogueFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The parse alone, to tell it apart from the file read above.
void BM_ParseCatalogue(benchmark::State& state) {
    const std::string text =
        catalogueText(static_cast<int>(state.range(0)), Catalogue::kAdvantageMarker);
    for (auto _ : state) {
        Catalogue catalogue = Catalogue::advantages();
        benchmark::DoNotOptimize(parseCatalogue(text, catalogue));
        benchmark::DoNotOptimize(catalogue.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseCatalogue)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kestrix::bench

BENCHMARK_MAIN();
