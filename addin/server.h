// The library's own bookkeeping as an in-process server: how many of its objects are
// alive and how many locks its users hold. It may be unloaded when both are 0.
#pragma once

namespace pelkor {

long live_objects();
long server_locks();
void change_locks(int delta);

// Every object the library hands out counts itself while it lives.
class counted {
 protected:
  counted();
  counted(const counted&);
  ~counted();
};

}  // namespace pelkor
