// A link file that reaches up into the parameter glue.
#include "base/shared_state.h"
#include "params/param_controller.h"
