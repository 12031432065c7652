#include "PeerCredentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace padrix {

bool PeerIsUser(int socket, uid_t user) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer) {
        return false;
    }
    return peer.uid == user;
}

bool PeerIsSameUser(int socket) {
    return PeerIsUser(socket, geteuid());
}

}  // namespace padrix
