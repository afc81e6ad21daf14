#pragma once

#include "controller/inputstates.h"
#include "controller/joystickdevice.h"

#include <memory>

// The joystick the controller reads (TJoystick): which present device it
// uses, its dead zones and ranges, and the last reading converted into
// axis values and a set of inputs.
class Joystick
{
public:
    enum class Reading {
        Read,
        Nothing, // nothing to read (no device, or the window is not in front)
        Lost     // the device was unplugged; it has been closed
    };

    explicit Joystick(std::unique_ptr<JoystickDevice> device);

    // Brings the joystick layer up; false when it cannot start.
    bool start();
    // Which present joystick to use, from 0. The device is resolved again
    // when the ID changes or none is open (one plugged in since).
    void setId(int id);
    int id() const { return m_id; }
    bool resolved() const { return m_device->isOpen(); }
    void close();

    // Reads the device; with the window in the background the reading is
    // empty.
    Reading update(bool foreground);

    const InputStates &states() const { return m_states; }
    int x() const { return m_x; }
    int y() const { return m_y; }
    int z() const { return m_z; }
    quint32 buttons() const { return m_buttons; }

    int deadZoneX = 50, deadZoneY = 50, deadZoneZ = 50; // percent of half the travel
    int rangeX = 1000, rangeY = 1000, rangeZ = 1000;    // value of a full deflection

private:
    std::unique_ptr<JoystickDevice> m_device;
    bool m_started = false;
    int m_id = 0;
    int m_x = 0, m_y = 0, m_z = 0;
    quint32 m_buttons = 0;
    InputStates m_states;
};
