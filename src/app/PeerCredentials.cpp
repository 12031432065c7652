#include "PeerCredentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace padrix {

bool PeerIsSameUser(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer) {
        return false;
    }
    return peer.uid == geteuid();
}

}  // namespace padrix
