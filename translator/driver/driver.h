// The compile driver: switches, banner, root directory, and one run of the translator.
#pragma once

// Runs korval with the given command line and returns the process exit status.
int korval_main(int argc, char** argv);
