// Wrong on purpose: the command-line front end includes the application and a panel.
#include "app/scope_app.h"
#include "params/parameter_set.h"
#include "ui/panels.h"
