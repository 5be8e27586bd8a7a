#pragma once

#include <QImageIOPlugin>

// Qt reads PNG and BMP itself, yet an image read by file name with no format
// first loads every image-format plugin installed (GIF, JPEG, TIFF, WebP,
// SVG, ... with their libraries) to ask each whether it wants the file:
// milliseconds and more than a megabyte at start-up, for the window icon,
// the style's own pictures and the program's bitmaps. A plugin whose key is
// the file's suffix is asked before all others, so this one, built into the
// program, answers for ".png" and ".bmp" files that really are PNG or BMP
// and reads them with Qt's own reader; anything else it declines, and Qt
// goes on exactly as before. It never writes.
//
// Outside any namespace: Q_IMPORT_PLUGIN names the class as it stands.
class KestrixBuiltInImageFormats : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "BuiltInImageFormats.json")
public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override;
};
