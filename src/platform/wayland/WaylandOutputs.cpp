#include "platform/wayland/WaylandOutputs.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

#include "platform/wayland/WaylandConnection.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr std::uint32_t kOutputVersion = 3;  // with scale and release
constexpr std::uint32_t kLogicalVersion = 3;

using Output = WaylandOutputs::Output;

OutputPlacement& Placement(void* data) {
    return static_cast<Output*>(data)->placement;
}

void OnGeometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t, std::int32_t,
                std::int32_t, const char*, const char*, std::int32_t transform) {
    Output& output = *static_cast<Output*>(data);
    output.placement.transform = transform;
    // Its position in the compositor's own terms, where xdg-output gives none.
    if (output.logical == nullptr) {
        output.placement.x = x;
        output.placement.y = y;
    }
}

const wl_output_listener kOutputListener = {
    .geometry = OnGeometry,
    .mode = [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
    .done = [](void*, wl_output*) {},
    .scale = [](void* data, wl_output*,
                std::int32_t factor) { Placement(data).scale = std::max(factor, 1); },
    .name = [](void*, wl_output*, const char*) {},
    .description = [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener kLogicalListener = {
    .logical_position =
        [](void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
            Placement(data).x = x;
            Placement(data).y = y;
        },
    .logical_size =
        [](void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
            Placement(data).width = std::max(width, 0);
            Placement(data).height = std::max(height, 0);
        },
    .done = [](void*, zxdg_output_v1*) {},
    .name = [](void*, zxdg_output_v1*, const char*) {},
    .description = [](void*, zxdg_output_v1*, const char*) {},
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
    if (logicalManager_ != nullptr) {
        zxdg_output_manager_v1_destroy(logicalManager_);
    }
    wl_registry_destroy(registry_);
}

void WaylandOutputs::OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                              const char* interface, std::uint32_t version) {
    auto& self = *static_cast<WaylandOutputs*>(data);
    if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0 &&
        self.logicalManager_ == nullptr) {
        self.logicalManager_ = static_cast<zxdg_output_manager_v1*>(wl_registry_bind(
            registry, name, &zxdg_output_manager_v1_interface, std::min(version, kLogicalVersion)));
        for (const auto& output : self.outputs_) {
            self.Describe(*output);
        }
        return;
    }
    if (std::strcmp(interface, wl_output_interface.name) != 0) {
        return;
    }
    auto output = std::make_unique<Output>();
    output->name = name;
    output->proxy = static_cast<wl_output*>(
        wl_registry_bind(registry, name, &wl_output_interface, std::min(version, kOutputVersion)));
    wl_output_add_listener(output->proxy, &kOutputListener, output.get());
    self.Describe(*output);
    self.outputs_.push_back(std::move(output));
}

void WaylandOutputs::OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    for (const auto& output : static_cast<WaylandOutputs*>(data)->outputs_) {
        output->removed = output->removed || output->name == name;
    }
}

void WaylandOutputs::ForgetRemoved() {
    std::erase_if(outputs_, [](const std::unique_ptr<Output>& output) {
        if (output->removed) {
            Release(*output);
        }
        return output->removed;
    });
}

void WaylandOutputs::Describe(Output& output) {
    if (logicalManager_ == nullptr || output.logical != nullptr) {
        return;
    }
    output.logical = zxdg_output_manager_v1_get_xdg_output(logicalManager_, output.proxy);
    zxdg_output_v1_add_listener(output.logical, &kLogicalListener, &output);
}

void WaylandOutputs::Release(const Output& output) {
    if (output.logical != nullptr) {
        zxdg_output_v1_destroy(output.logical);
    }
    if (wl_output_get_version(output.proxy) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
        wl_output_release(output.proxy);
    } else {
        wl_output_destroy(output.proxy);
    }
}

}  // namespace padrix::wayland
