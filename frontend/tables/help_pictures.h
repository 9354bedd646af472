// The help pictures of the table editing windows, drawn at run time and
// looked up by the name a table carries (TGridTable::HelpPicture).
#pragma once

#include <QPixmap>
#include <string>

namespace kestra {

// A null pixmap for an empty name; a plain captioned placeholder for a name
// that has no drawing.
QPixmap HelpPictureImage(const std::string& name);

}  // namespace kestra
