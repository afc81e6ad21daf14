#pragma once

#include "controller/joystickdevice.h"

struct _SDL_Joystick;

// The joystick layer on SDL2: its joystick subsystem alone, devices by
// their index among the present ones, 16-bit axes, up to 32 buttons and the
// first hat.
class SdlJoystickDevice : public JoystickDevice
{
public:
    SdlJoystickDevice() = default;
    ~SdlJoystickDevice() override;
    SdlJoystickDevice(const SdlJoystickDevice &) = delete;
    SdlJoystickDevice &operator=(const SdlJoystickDevice &) = delete;

    bool start() override;
    bool open(int id) override;
    void close() override;
    bool isOpen() const override { return m_joystick != nullptr; }
    Status read(JoystickSample &sample) override;

private:
    _SDL_Joystick *m_joystick = nullptr;
    bool m_started = false;
};
