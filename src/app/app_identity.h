#pragma once

#include <QIcon>
#include <QString>

namespace pellomarin {

// The reverse-DNS name of the installed desktop entry (without ".desktop"),
// which is also the icon's name in the icon theme.
QString applicationId();

// The icon the desktop theme has for applicationId(), so a theme may restyle
// it; without one (not installed, other platforms) the compiled-in drawing.
QIcon applicationIcon();

}  // namespace pellomarin
