#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct wl_output;
struct wl_registry;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace padrix::wayland {

class WaylandConnection;

// Where an output sits on the desktop, as the compositor last described it.
struct OutputPlacement {
    // Its logical rectangle on the desktop; a size of 0 where unknown.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int scale = 1;
    std::int32_t transform = 0;  // wl_output.transform
};

// The outputs (screens) the compositor offers, followed as they come and go.
// Their descriptions arrive with the connection's events; the logical
// positions come through xdg-output where the compositor offers it.
class WaylandOutputs {
  public:
    struct Output {
        std::uint32_t name = 0;
        wl_output* proxy = nullptr;
        zxdg_output_v1* logical = nullptr;
        OutputPlacement placement;
        bool removed = false;  // the compositor took it away; released by ForgetRemoved
    };

    explicit WaylandOutputs(WaylandConnection& connection);
    ~WaylandOutputs();
    WaylandOutputs(const WaylandOutputs&) = delete;
    WaylandOutputs& operator=(const WaylandOutputs&) = delete;

    // The outputs in the order they came. An output the compositor removes
    // stays (marked) until ForgetRemoved, so that one in use stays valid.
    const std::vector<std::unique_ptr<Output>>& outputs() const { return outputs_; }
    void ForgetRemoved();

  private:
    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);
    void Describe(Output& output);
    static void Release(const Output& output);

    wl_registry* registry_;
    zxdg_output_manager_v1* logicalManager_ = nullptr;
    std::vector<std::unique_ptr<Output>> outputs_;
};

}  // namespace padrix::wayland
