#include "app/QxMouseState.h"

QxMouseState g_mouseState;
