#include "ui/dialogs/desvant.h"

namespace kestrix {

namespace {
constexpr AddItemWording kWording{
    "addDV", "Adicionar Desvantagem", "Desvantagem:", "Bônus:", "nm_addDV", "cs_addDV",
};
} // namespace

TaddDV::TaddDV() : AddItemDialog(kWording) {}

} // namespace kestrix
