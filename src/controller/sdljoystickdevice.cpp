#include "controller/sdljoystickdevice.h"

#include <SDL.h>

#include <algorithm>

SdlJoystickDevice::~SdlJoystickDevice()
{
    close();
    if (m_started)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool SdlJoystickDevice::start()
{
    if (m_started)
        return true;
    // SDL would otherwise take SIGINT and SIGTERM for itself, and the
    // program's own shut-down would never hear of them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0)
        return false;
    // The device is read by polling; queued joystick events would only pile
    // up unread.
    SDL_JoystickEventState(SDL_IGNORE);
    m_started = true;
    return true;
}

bool SdlJoystickDevice::open(int id)
{
    close();
    if (!m_started)
        return false;
    // Brings the list of present devices up to date.
    SDL_JoystickUpdate();
    if (id < 0 || id >= SDL_NumJoysticks())
        return false;
    m_joystick = SDL_JoystickOpen(id);
    return m_joystick != nullptr;
}

void SdlJoystickDevice::close()
{
    if (m_joystick) {
        SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
    }
}

JoystickDevice::Status SdlJoystickDevice::read(JoystickSample &sample)
{
    if (!m_joystick)
        return Status::Closed;
    SDL_JoystickUpdate();
    if (!SDL_JoystickGetAttached(m_joystick))
        return Status::Lost;
    sample = JoystickSample{};
    sample.axisMinimum = SDL_JOYSTICK_AXIS_MIN;
    sample.axisMaximum = SDL_JOYSTICK_AXIS_MAX;
    const int centre = SDL_JOYSTICK_AXIS_MIN + (SDL_JOYSTICK_AXIS_MAX - SDL_JOYSTICK_AXIS_MIN) / 2;
    const int axes = SDL_JoystickNumAxes(m_joystick);
    int *positions[] = {&sample.x, &sample.y, &sample.z};
    for (int i = 0; i < 3; ++i)
        *positions[i] = i < axes ? SDL_JoystickGetAxis(m_joystick, i) : centre;
    sample.buttonCount = std::clamp(SDL_JoystickNumButtons(m_joystick), 0, 32);
    for (int i = 0; i < sample.buttonCount; ++i)
        if (SDL_JoystickGetButton(m_joystick, i))
            sample.buttons |= quint32(1) << i;
    if (SDL_JoystickNumHats(m_joystick) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(m_joystick, 0);
        sample.hat = quint8((hat & SDL_HAT_UP ? JoystickSample::HatUp : 0)
                            | (hat & SDL_HAT_RIGHT ? JoystickSample::HatRight : 0)
                            | (hat & SDL_HAT_DOWN ? JoystickSample::HatDown : 0)
                            | (hat & SDL_HAT_LEFT ? JoystickSample::HatLeft : 0));
    }
    return Status::Read;
}
