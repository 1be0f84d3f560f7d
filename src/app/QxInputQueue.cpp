#include "app/QxInputQueue.h"

QxInputQueue g_inputQueue;
