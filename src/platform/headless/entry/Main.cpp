#include "app/QxMain.h"

int main() { return RondelixMain(); }
