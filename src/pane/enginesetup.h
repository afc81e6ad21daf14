#pragma once

// Engine settings that must be in place before the application object is
// made: how Qt WebEngine spreads the pages over helper processes.
namespace EngineSetup {

// Adds the program's engine flags to QTWEBENGINE_CHROMIUM_FLAGS (flags the
// user set there stay and come first).
void applyProcessModel();

// The flags the program adds.
const char *programFlags();

} // namespace EngineSetup
