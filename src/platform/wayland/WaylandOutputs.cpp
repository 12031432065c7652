#include "platform/wayland/WaylandOutputs.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/WaylandConnection.h"

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kOutputVersion = 3;  // with scale and release

void OnGeometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                std::int32_t, const char*, const char*, std::int32_t transform) {
    auto* placement = static_cast<OutputPlacement*>(data);
    placement->x = x;
    placement->y = y;
    placement->transform = transform;
}

void OnScale(void* data, wl_output*, std::int32_t factor) {
    static_cast<OutputPlacement*>(data)->scale = std::max(factor, 1);
}

const wl_output_listener kOutputListener = {
    .geometry = OnGeometry,
    .mode = [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
    .done = [](void*, wl_output*) {},
    .scale = OnScale,
    .name = [](void*, wl_output*, const char*) {},
    .description = [](void*, wl_output*, const char*) {},
};

}  // namespace

WaylandOutputs::WaylandOutputs(WaylandConnection& connection)
    : registry_(wl_display_get_registry(connection.display())) {
    static const wl_registry_listener listener = {
        .global = &WaylandOutputs::OnGlobal,
        .global_remove = &WaylandOutputs::OnGlobalRemove,
    };
    wl_registry_add_listener(registry_, &listener, this);
}

WaylandOutputs::~WaylandOutputs() {
    for (const auto& output : outputs_) {
        Release(*output);
    }
    wl_registry_destroy(registry_);
}

void WaylandOutputs::OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                              const char* interface, std::uint32_t version) {
    if (std::strcmp(interface, wl_output_interface.name) != 0) {
        return;
    }
    auto output = std::make_unique<Output>();
    output->name = name;
    output->proxy = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, kOutputVersion)));
    wl_output_add_listener(output->proxy, &kOutputListener, &output->placement);
    static_cast<WaylandOutputs*>(data)->outputs_.push_back(std::move(output));
}

void WaylandOutputs::OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto& outputs = static_cast<WaylandOutputs*>(data)->outputs_;
    std::erase_if(outputs, [name](const std::unique_ptr<Output>& output) {
        if (output->name != name) {
            return false;
        }
        Release(*output);
        return true;
    });
}

void WaylandOutputs::Release(const Output& output) {
    if (wl_output_get_version(output.proxy) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output.proxy);
    } else {
        wl_output_destroy(output.proxy);
    }
}

}  // namespace padrix::wayland
