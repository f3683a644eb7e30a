// The program's icon, drawn for it and compiled into it at the sizes the window uses.
#pragma once

#include <QIcon>

namespace kvarn {

QIcon ProgramIcon();

}  // namespace kvarn
