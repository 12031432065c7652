#include "platform/wayland/PortalResponse.h"

namespace padrix::wayland {

void PortalResponse::OnResponse(uint code, const QVariantMap& results) {
    if (!answer_) {
        answer_ = Answer{code, results};
        emit answered();
    }
}

}  // namespace padrix::wayland
