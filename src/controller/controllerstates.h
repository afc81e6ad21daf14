#pragma once

#include "controller/inputstates.h"

// The set of inputs the program acts on, with the press-once rule: it
// follows the device, except that an input taken out while still held stays
// out until it is released and pressed again. The tick takes out each
// button it has acted on, so buttons act once per press while the
// directions act on every tick.
class ControllerStates
{
public:
    // Merges one reading of the device.
    void update(const InputStates &raw);

    const InputStates &states() const { return m_states; }
    bool contains(InputState input) const { return m_states.test(input); }
    void remove(InputState input) { m_states.reset(input); }
    // Forgets the device's last reading too (a device closed or lost).
    void clear();

private:
    InputStates m_states;
    InputStates m_previous;
};
