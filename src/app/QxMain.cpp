#include "app/QxMain.h"

int RondelixMain() {
    return 0;
}
