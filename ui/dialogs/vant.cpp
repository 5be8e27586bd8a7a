#include "ui/dialogs/vant.h"

namespace kestrix {

namespace {
constexpr AddItemWording kWording{
    "addvant", "Adicionar Vantagem", "Vantagem:", "Custo:", "nm_addvant", "cs_addvant",
};
} // namespace

Taddvant::Taddvant() : AddItemDialog(kWording) {}

} // namespace kestrix
