#pragma once
#include <QIcon>

namespace vexo {

// The program's icon (window and notification area), drawn at the sizes desktops ask for.
QIcon AppIcon();

} // namespace vexo
