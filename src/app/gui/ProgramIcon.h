#pragma once

#include <QIcon>

namespace slicewright {

// The program's icon, drawn in code at every size it is asked for, so the
// window and the about box show it whatever the desktop's icon theme holds.
QIcon ProgramIcon();

}  // namespace slicewright
