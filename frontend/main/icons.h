// The toolbar pictures, drawn at run time in one consistent style.
#pragma once

#include <QIcon>
#include <QString>

namespace kestra {

// One of: new, open, save, title, properties, configuration, soil, run,
// stages, output, profile, view3d, py, deflection, moment, shear, reaction,
// dms, pressure, stage1 .. stage5, pan, zoomwindow, zooming, rotate,
// zoomin, zoomout, restart, deformed. An unknown name gives a blank icon.
QIcon ToolIcon(const QString& name);

}  // namespace kestra
