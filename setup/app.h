// The setup program: the application, its window, the event loop.
#pragma once

namespace setup {
int setup_main(int argc, char** argv);
}
