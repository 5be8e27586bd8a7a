#pragma once

#include "ui/dialogs/NoticeBox.h"

namespace kestrix {

// "Atenção:", "Essa lista nao pode ...": shown instead of an add dialog when
// the acquired list is already full.
class Tmsgbox2 : public NoticeBox {
    Q_OBJECT
public:
    Tmsgbox2();
};

} // namespace kestrix
