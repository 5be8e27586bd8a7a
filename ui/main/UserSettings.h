#pragma once

#include <QSettings>

namespace kestrix {

// The user's own settings, in ~/.config/kestrix/kestrix.conf (or under
// $XDG_CONFIG_HOME). The names are fixed here rather than taken from the
// application's name, which is the title shown on every error box.
inline QSettings userSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("kestrix"),
                     QStringLiteral("kestrix"));
}

} // namespace kestrix
