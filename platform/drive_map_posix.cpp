// Drives on systems that have none: the home folder and the current directory stand for them.
#include "platform/install_folder.h"

namespace rave::platform {

DriveMap SystemDriveMap(const DriveFolders& folders) {
    return MakeDriveMap(folders);
}

}  // namespace rave::platform
