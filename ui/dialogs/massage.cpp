#include "ui/dialogs/massage.h"

namespace kestrix {

Tmsgbox::Tmsgbox() : NoticeBox("msgbox", "Atenção", "Digite um valor para o custo ou bônus.") {}

} // namespace kestrix
