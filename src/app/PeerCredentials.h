#pragma once

#include <sys/types.h>

namespace padrix {

// True when the process at the other end of the connected local socket
// `socket` runs as `user` (SO_PEERCRED, as the kernel recorded it at connect
// time); false for anyone else or a descriptor that says nothing.
bool PeerIsUser(int socket, uid_t user);

// PeerIsUser with this process's effective user.
bool PeerIsSameUser(int socket);

}  // namespace padrix
