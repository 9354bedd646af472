// The explanatory pictures of the input dialogs, drawn at run time.
#pragma once

#include <QPixmap>

namespace kestra {

// Wall in elevation: free height H, backfill slope Beta, surcharge on the
// backfill and the water tables DWb and DWe on both sides.
QPixmap WallSectionPicture();
// Wall units in plan: spacing Wa and width Wp.
QPixmap WallPlanPicture();
// Point, line and strip loads on the backfill at their distances.
QPixmap SurchargePicture();
// A tieback: anchor head on the wall, free length and grouted bond length.
QPixmap TiebackPicture();
// A lateral spring and a rotational restraint at a node of the wall.
QPixmap SpringPicture();
// A lateral load and a moment at a node of the wall.
QPixmap ConcentratedLoadPicture();

}  // namespace kestra
