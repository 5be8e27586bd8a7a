#pragma once

#include "core/Error.h"

class QWidget;

namespace kestrix {

// The one place every error reaches the user: the message with a full stop,
// the application's title as caption, a stop icon and one OK button.
void showErrorBox(QWidget* parent, const Error& error);

} // namespace kestrix
