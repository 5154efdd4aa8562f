#include "preview/dxf/DxfDeviceUnits.h"

#include <cmath>

namespace morvick {

int DxfDeviceCoordinate(double pixels)
{
    if (std::isnan(pixels))
        return 0;
    if (pixels >= kDxfDeviceLimit)
        return kDxfDeviceLimit;
    if (pixels <= -kDxfDeviceLimit)
        return -kDxfDeviceLimit;
    return static_cast<int>(std::lround(pixels));
}

int DxfEscapementTenths(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    // Within one turn first: the tenths are then small enough for an int.
    return static_cast<int>(std::fmod(degrees, 360.0) * 10.0) % 3600;
}

}  // namespace morvick
