#pragma once

#include <QString>

class QWidget;

namespace kestrix {

// A yes-or-no question in the style of the error box: the application's
// title as caption, the window font, "Sim" and "Não", "Não" the default so
// that Enter never destroys anything. True for "Sim".
bool askQuestion(QWidget* parent, const QString& question);

} // namespace kestrix
