// Must not compile: the simulated gauge cannot see the gauge layer.
#include "gauge/usb_link.h"
