#pragma once

#include <QString>

#include <optional>
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
// are. Returns the error message for a name that is no preset.
[[nodiscard]] std::optional<QString> applyPreset(PaperSettings& settings, const QString& name);
