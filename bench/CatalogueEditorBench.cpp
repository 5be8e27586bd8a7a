// The catalogue editor with a large catalogue: opening it, and each single
// action a user takes in it, the table's repaint included. Run offscreen.
// What opening costs in memory is measured on the real program, as a whole
// process (catalogue_editor_process.py): within this one, memory that other
// benchmarks freed would hide it.

#include "bench/BenchFiles.h"
#include "document/Document.h"
#include "storage/CatalogueFile.h"
#include "ui/catalogues/CatalogueEditor.h"
#include "ui/catalogues/CatalogueEditorModel.h"

#include <QApplication>
#include <QFont>
#include <QScrollBar>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <string>

namespace kestrix::bench {
namespace {

using List = CatalogueEditor::List;

// A document as start-up leaves it, with `entries` advantages.
std::unique_ptr<Document> documentWith(int entries, const TempDir& dir) {
    auto document = std::make_unique<Document>();
    if (parseCatalogue(catalogueText(entries, Catalogue::kAdvantageMarker),
                       document->advantageCatalogue) ||
        parseCatalogue(catalogueText(60, Catalogue::kDisadvantageMarker),
                       document->disadvantageCatalogue))
        std::abort(); // the bench catalogues are well within every limit
    document->dataFolders = DataFolders{dir.file("dados"), "", dir.file("programa")};
    return document;
}

void settle(CatalogueEditor& editor) {
    QCoreApplication::processEvents();
    editor.table()->viewport()->repaint();
}

// "Catálogos ..." chosen with the editor built: the lists taken from the
// document and the first frame drawn.
void BM_EditorOpen(benchmark::State& state) {
    const TempDir dir;
    const auto document = documentWith(static_cast<int>(state.range(0)), dir);
    CatalogueEditor editor(*document);
    for (auto _ : state) {
        editor.showEditor();
        settle(editor);
        state.PauseTiming();
        editor.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EditorOpen)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

enum class Action { MoveUp, MoveDown, Add, Remove, EditCell, ToggleVariable, Sort, Scroll, Save };

// One action on a list of state.range(0) entries, with a row in the middle
// current, and the repaint it causes.
void BM_EditorAction(benchmark::State& state, Action action) {
    const TempDir dir;
    const int entries = static_cast<int>(state.range(0));
    const auto document = documentWith(entries, dir);
    CatalogueEditor editor(*document);
    editor.showEditor();
    settle(editor);
    CatalogueEditorModel* model = editor.model(List::Advantages);
    const CatalogueEntries unsorted = model->entries();
    std::mt19937 random(1);
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int row = model->rowCount() / 2;
        editor.table()->setCurrentIndex(model->index(row, 0));
        if (action == Action::Sort)
            model->setEntries(unsorted, true);
        settle(editor);
        state.ResumeTiming();
        switch (action) {
        case Action::MoveUp:
            editor.moveUpClick();
            break;
        case Action::MoveDown:
            editor.moveDownClick();
            break;
        case Action::Add:
            editor.addClick();
            break;
        case Action::Remove:
            editor.removeClick();
            break;
        case Action::EditCell:
            model->setData(model->index(row, CatalogueEditorModel::kNameColumn),
                           QStringLiteral("Nome editado %1").arg(++edit), Qt::EditRole);
            break;
        case Action::ToggleVariable:
            model->setData(model->index(row, CatalogueEditorModel::kVariableColumn),
                           model->entries().isVariable(row) ? Qt::Unchecked : Qt::Checked,
                           Qt::CheckStateRole);
            break;
        case Action::Sort:
            editor.sortClick();
            break;
        case Action::Scroll: {
            QScrollBar* bar = editor.table()->verticalScrollBar();
            bar->setValue(static_cast<int>(random() % static_cast<unsigned>(bar->maximum() + 1)));
            break;
        }
        case Action::Save:
            model->setModified(true);
            editor.saveClick();
            break;
        }
        settle(editor);
    }
}
BENCHMARK_CAPTURE(BM_EditorAction, MoveUp, Action::MoveUp)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, MoveDown, Action::MoveDown)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, Add, Action::Add)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, Remove, Action::Remove)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, EditCell, Action::EditCell)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, ToggleVariable, Action::ToggleVariable)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, Sort, Action::Sort)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, Scroll, Action::Scroll)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EditorAction, Save, Action::Save)->Arg(100000)->Unit(benchmark::kMillisecond);

// Importar's work once the file is chosen and the question answered: the
// file read and split, its lines cut, and the table shown again.
void BM_EditorImport(benchmark::State& state) {
    const TempDir dir;
    const auto document = documentWith(60, dir);
    const std::string path = dir.file("grande.lib");
    writeFile(path, catalogueText(static_cast<int>(state.range(0)), Catalogue::kAdvantageMarker));
    CatalogueEditor editor(*document);
    editor.showEditor();
    settle(editor);
    for (auto _ : state) {
        Catalogue imported = Catalogue::advantages();
        if (loadCatalogueFile(path, imported)) {
            state.SkipWithError("the catalogue did not load");
            break;
        }
        editor.model(List::Advantages)->setEntries(CatalogueEntries(imported), true);
        editor.table()->setCurrentIndex(editor.model(List::Advantages)->index(0, 0));
        settle(editor);
    }
}
BENCHMARK(BM_EditorImport)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kestrix::bench

int main(int argc, char* argv[]) {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
