// Numbers of a drawing as a device takes them: whole pixels within the range a device can map
// and text angles in tenths of a degree. Drawings are hostile, so any double (huge, infinite, not
// a number) gives an integer in range; converting such a double straight to int is undefined.
#pragma once

namespace morvick {

// The largest distance from the origin, in pixels, handed to a device (GDI maps 27-bit
// coordinates).
constexpr int kDxfDeviceLimit = 1 << 27;

// A pixel coordinate rounded to the nearest whole pixel and held within +-kDxfDeviceLimit; not a
// number gives 0.
int DxfDeviceCoordinate(double pixels);

// A text angle in degrees counter-clockwise as tenths of a degree within one turn
// (-3600 < tenths < 3600, the sign of the angle kept); an angle that is not finite gives 0.
int DxfEscapementTenths(double degrees);

}  // namespace morvick
