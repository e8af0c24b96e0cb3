#pragma once

#include "base/failure.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

class PaperSettings;

// The design's settings by the names of the controls that edit them, for the command line.

// Every stored setting: numbers as their field's value, check boxes and radio buttons as
// true or false, colours as colour values, file names as the fields hold them, and the
// free-text font as FontName, FontColor, FontCharset, FontSize and FontPitch.
QJsonObject settingsToJson(const PaperSettings& settings);

// Sets one setting from text, through its control's own clamping and formatting. A radio
// button is switched on with "on"; colours are a decimal colour value or "#RRGGBB"; numbers
// use "." as the decimal point.
Failure assignSetting(PaperSettings& settings, const QString& name, const QString& value);

// The names that assignSetting knows.
QStringList settingNames();
