# Builds the run-time library with GNU make and g++, as `korval -build` runs it in
# <root>/src/gridlib:
#
#   make GRLIB=<n> "FLAGS=<extra compiler flags>" -f gnu.mak
#
# Every C++ source of this directory is compiled with the library number and the
# flags, and the objects go into ../../libgrlib<n>.a, the root directory, where the
# link step of a program finds the library. Add -j<n> to MAKEFLAGS to compile in
# parallel.

GRLIB ?= 0
FLAGS ?=
CXX = g++
AR = ar
LIBRARY = ../../libgrlib$(GRLIB).a

# -fvect-cost-model=cheap lets the element loops vectorise; the library is
# position-independent for MEX files and shared libraries (see CMakeLists.txt).
# GRLIB_OPTIMIZE in the environment replaces the optimisation flags (the tests of
# this build procedure compile at -O0, in a third of the time).
GRLIB_OPTIMIZE ?= -O2 -fvect-cost-model=cheap
COMPILE = $(strip $(CXX) -std=c++17 $(GRLIB_OPTIMIZE) -fPIC -fno-semantic-interposition -DGRLIB=$(GRLIB) $(FLAGS) -I. -Iinclude)

# The objects carry the library number: after `korval -build -norm` they stay here,
# and the next build may be of the other number.
SOURCES := $(sort $(wildcard *.cpp))
OBJECTS := $(SOURCES:%.cpp=grl$(GRLIB)_%.o)

# The compile command of the last build of this number. Objects made with other flags
# (the multithreaded library, the accelerator) are rebuilt; the file is rewritten only
# when the command differs, so an unchanged build keeps its objects.
STAMP := grl$(GRLIB).flags
ifneq ($(file <$(STAMP)),$(COMPILE))
$(file >$(STAMP),$(COMPILE))
endif

# The sources share gridlib.h precompiled once per build (with the same command, so
# g++ takes it): every source is compiled after -include of a one-line header naming
# gridlib.h, whose precompiled form sits beside it. Parsing the header was most of
# each source's compile.
PCH := grl$(GRLIB)_pch.h

.PHONY: all clean
.DELETE_ON_ERROR:

all: $(LIBRARY)

$(LIBRARY): $(OBJECTS)
	rm -f $@
	$(AR) rcs $@ $(OBJECTS)

$(PCH):
	echo '#include "gridlib.h"' > $@

$(PCH).gch: $(PCH) $(STAMP)
	$(COMPILE) -MMD -MP -MF $(PCH).d -x c++-header $< -o $@

grl$(GRLIB)_%.o: %.cpp $(PCH).gch $(STAMP)
	$(COMPILE) -include $(PCH) -MMD -MP -c $< -o $@

$(STAMP): ;

clean:
	rm -f grl$(GRLIB)_*.o grl$(GRLIB)_*.d $(STAMP) $(PCH) $(PCH).gch

-include $(OBJECTS:.o=.d) $(PCH).d
