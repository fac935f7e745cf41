#pragma once

#include "platform/AnsiString.h"

// The 16-point compass name of an angle in degrees (-180 to 180) measured as atan2(dX, dY) of
// the work site's position less a site's (dX north, dY east): 0 is a site due west, +90 due
// south, -90 due north, +-180 due east. Sectors are 22.5 degrees wide around each point, and a
// sector includes its upper limit (11.25 is still west). An angle that is not a number gives "".
AnsiString CompassDirectionName(double angleDegrees);
