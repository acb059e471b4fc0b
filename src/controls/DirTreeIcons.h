#pragma once
#include "platform/drives/Drive.h"

#include <QIcon>

// Icons from the desktop's theme, the style's own where the theme has none.
// A folder shows open while it is selected.
const QIcon& FolderNodeIcon();
const QIcon& DriveNodeIcon(TDriveType kind);
