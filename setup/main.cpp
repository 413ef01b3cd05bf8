#include "setup/app.h"

int main(int argc, char** argv) { return setup::setup_main(argc, argv); }
