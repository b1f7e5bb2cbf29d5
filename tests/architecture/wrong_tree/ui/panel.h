// A panel that reaches into a subsystem.
#include "link/sensor_link.h"
#include "ui/popups.h"
