#pragma once

#include "ui/dialogs/NoticeBox.h"

namespace kestrix {

// "Atenção", "Digite um valor ...": shown over an add dialog whose cost was
// left empty.
class Tmsgbox : public NoticeBox {
    Q_OBJECT
public:
    Tmsgbox();
};

} // namespace kestrix
