#include "ui/dialogs/massage2.h"

namespace kestrix {

Tmsgbox2::Tmsgbox2()
    : NoticeBox("msgbox2", "Atenção:", "Essa lista nao pode conter mais de 10 itens.") {}

} // namespace kestrix
