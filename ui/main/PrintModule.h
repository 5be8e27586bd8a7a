#pragma once

#include "core/Error.h"
#include "print/qt/QtPrintPicture.h"

#include <QString>
#include <functional>
#include <memory>

class QPaintDevice;
class QWidget;

namespace kestrix {

class CharacterSheet;
class PrintCommand;
class SheetPreviewDialog;

// "Imprimir ..." and "Visualizar Impressão ...": the part of the program
// that uses Qt's print support, in a module of its own (kestrix-print.so).
// Most runs print nothing, and loading print support costs every start-up
// some 1.5 M instructions and 300 KB; the window loads the module the first
// time either command is chosen.
class PrintModule {
public:
    virtual ~PrintModule() = default;

    // "Imprimir ...": the print dialog, then one job of one page titled
    // `title`. Fails with the error to report; succeeds when the page was
    // printed or the user cancelled.
    virtual Result print(const CharacterSheet& sheet, const QString& title,
                         const QtPrintPicture& picture, const QtPrintPicture& emblem) = 0;

    // "Visualizar Impressão ...": shows the page `drawPage` draws (the
    // sheet as it is now); its "Imprimir ..." calls `print`.
    virtual void preview(std::function<void(QPaintDevice&)> drawPage,
                         std::function<void()> print) = 0;

    // What tests look into.
    virtual PrintCommand& command() = 0;
    virtual SheetPreviewDialog* previewDialog() = 0;
};

constexpr const char* kPrintModuleFile = "kestrix-print.so";

// The module's one entry point: makes the commands for windows under
// `parent`.
extern "C" PrintModule* kestrixCreatePrintModule(QWidget* parent);

// Loads the module and makes its commands, or fails with the error to
// report (the module or its print support is missing).
std::unique_ptr<PrintModule> loadPrintModule(QWidget* parent, Result& error);

} // namespace kestrix
