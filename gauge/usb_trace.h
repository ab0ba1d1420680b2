#pragma once
// A trace of every call through the thirteen USB functions, for a person whose gauge
// misbehaves to send with a report: one line a call with its name, endpoint, length, result,
// milliseconds and the first bytes of each packet.

#include <functional>
#include <string>

#include "app/clock.h"
#include "usb/usb_api.h"

namespace korvel {

using UsbTraceSink = std::function<void(const std::string& line)>;

// A table whose functions call those of `inner` and give the sink one line for each call,
// timed by the clock. There is one traced table in the process: a second call retargets it.
const UsbApi& tracedUsbApi(const UsbApi& inner, Clock& clock, UsbTraceSink sink);

// A sink that appends each line to the file (the debug log in the settings folder).
UsbTraceSink appendingTraceSink(const std::string& path);

}  // namespace korvel
