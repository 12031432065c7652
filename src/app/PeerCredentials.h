#pragma once

namespace padrix {

// True when the process at the other end of the connected local socket
// `socket` runs as this process's effective user (SO_PEERCRED, as the kernel
// recorded it at connect time); false for anyone else or a descriptor that
// says nothing.
bool PeerIsSameUser(int socket);

}  // namespace padrix
