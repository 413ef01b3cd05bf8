#include "driver/driver.h"

int main(int argc, char** argv) { return korval_main(argc, argv); }
