#include "ui/main/PrintModule.h"

#include "platform/ProgramModule.h"

namespace kestrix {

std::unique_ptr<PrintModule> loadPrintModule(QWidget* parent, Result& error) {
    static ProgramModule module(kPrintModuleFile);
    auto create = reinterpret_cast<decltype(&kestrixCreatePrintModule)>(
        module.function("kestrixCreatePrintModule"));
    if (create == nullptr) {
        error = module.error();
        return nullptr;
    }
    return std::unique_ptr<PrintModule>(create(parent));
}

} // namespace kestrix
