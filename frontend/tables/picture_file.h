// Pictures saved to disk by the graph windows and the 3D view: a BMP file,
// or PNG when the name ends in ".png".
#pragma once

#include <QString>

class QImage;
class QWidget;

namespace kestra {

// The save dialog for a picture; the suffix follows the chosen filter. An
// empty name means cancelled.
QString ChoosePictureName(QWidget* parent, const QString& title);

// Writes the picture in the format its name asks for. The file is replaced
// only when written completely, so a failure keeps an existing one.
bool SavePicture(const QImage& image, const QString& path);

}  // namespace kestra
