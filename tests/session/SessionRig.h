#pragma once

#include <string>

#include "Fakes.h"
#include "session/Session.h"
#include "settings/InterfaceLanguage.h"
#include "settings/MemorySettingsStore.h"

namespace padrix {

// A session over fakes and a store in memory, with `pads` controllers.
struct SessionRig {
    explicit SessionRig(int pads = 2) {
        for (int n = 1; n <= pads; ++n) {
            controllers.Add("Pad " + std::to_string(n));
        }
    }

    std::string Stored(std::string_view section, std::string_view key) {
        return store.GetSetting(section, key, "<absent>");
    }

    // Opened and started as at program start.
    Session& Started() {
        session.OpenJoypads();
        session.ReadStoredOptions();
        return session;
    }

    fakes::FakeControllers controllers;
    MemorySettingsStore store;
    InterfaceLanguage language{store, {}, ""};
    fakes::RecordingOutput output;
    fakes::FakeKeys keys;
    fakes::ManualClock clock;
    fakes::ScriptedRandom random;
    fakes::RecordingScreenshots screenshots;
    fakes::RecordingTimer timer;
    Session session{
        {output, keys, clock, random, screenshots, timer}, "/tmp", {controllers, store, language}};
};

}  // namespace padrix
