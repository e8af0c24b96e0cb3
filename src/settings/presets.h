#pragma once

#include "base/failure.h"

#include <QString>

#include <span>

class PaperSettings;

// A ready-made kind of paper that people know by name.
struct Preset {
    const char* name;     // as the command line takes it
    const char* caption;  // as the window offers it
    const char* settings; // NAME=VALUE as --set takes them, separated by blanks
};

std::span<const Preset> presets();

// Sets the paper of the named preset: its kind, spacing, lines, dots and guides, each from New
// unless the preset says otherwise. The edges, pictures, texture and free text stay as they
// are. Fails for a name that is no preset.
Failure applyPreset(PaperSettings& settings, const QString& name);
