#pragma once

#include <QList>
#include <QPalette>
#include <QString>
#include <QStringList>

#include <array>

struct Settings;

// The sixteen appearance values in the order of an aesthetic profile's
// lines: address bar bevel, button bar position, button glyph style, then the
// thirteen colours (active browser border, address bar, address bar font,
// button, button glyph, button glyph border, corner font, corner font
// shadow, grid background, main, status bar, status bar font, status bar
// font shadow).
using AppearanceValues = std::array<int, 16>;

namespace ColourSchemes {

AppearanceValues valuesOf(const Settings &settings);
void setValues(Settings &settings, const AppearanceValues &values);

// The nineteen built-in schemes, in their list order.
QStringList names();
bool isScheme(const QString &name);
// The values of a scheme; the "System Inherited" colours come from the
// palette as it is now. False for a name that is no scheme.
bool values(const QString &name, const QPalette &palette, AppearanceValues *values);
// ApplyPresetScheme: sets the sixteen values; an unknown name changes nothing.
bool apply(const QString &name, Settings &settings, const QPalette &palette = QPalette());

// The colour objects of the colour editor (cbColorObjects), in order; index
// i is appearance value 3 + i.
QStringList colourObjects();

} // namespace ColourSchemes
