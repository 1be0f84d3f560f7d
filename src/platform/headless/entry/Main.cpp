#include "app/QxMain.h"

// The process always reports success, whatever the main function answered.
int main() {
    RondelixMain();
    return 0;
}
