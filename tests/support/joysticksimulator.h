#pragma once

#include <SDL.h>

// A virtual SDL joystick that a test moves by hand: three axes, a number of
// buttons and one hat. The program finds it among the present joysticks
// like a real one; unplug() takes it away as pulling the cable would.
class JoystickSimulator
{
public:
    explicit JoystickSimulator(int buttons = 32, int axes = 3) : m_buttons(buttons), m_axes(axes)
    {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        m_sdl = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        plug();
    }
    ~JoystickSimulator()
    {
        unplug();
        if (m_sdl)
            SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    JoystickSimulator(const JoystickSimulator &) = delete;
    JoystickSimulator &operator=(const JoystickSimulator &) = delete;

    bool plugged() const { return m_joystick != nullptr; }
    bool plug()
    {
        if (m_joystick || !m_sdl)
            return m_joystick != nullptr;
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, m_axes, m_buttons, 1);
        if (index < 0)
            return false;
        m_joystick = SDL_JoystickOpen(index);
        if (m_joystick)
            m_instance = SDL_JoystickInstanceID(m_joystick);
        return m_joystick != nullptr;
    }
    void unplug()
    {
        if (!m_joystick)
            return;
        const int index = id();
        SDL_JoystickClose(m_joystick);
        m_joystick = nullptr;
        if (index >= 0)
            SDL_JoystickDetachVirtual(index);
    }

    // Its number among the present joysticks (the controller ID setting).
    int id() const
    {
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == m_instance)
                return i;
        return -1;
    }

    void setAxis(int axis, int value) { SDL_JoystickSetVirtualAxis(m_joystick, axis, Sint16(value)); }
    // Buttons by their number, from 1.
    void setButton(int number, bool down) { SDL_JoystickSetVirtualButton(m_joystick, number - 1, down ? 1 : 0); }
    void setHat(Uint8 value) { SDL_JoystickSetVirtualHat(m_joystick, 0, value); }
    void centre()
    {
        for (int a = 0; a < m_axes; ++a)
            setAxis(a, 0);
        setHat(SDL_HAT_CENTERED);
        for (int b = 1; b <= m_buttons; ++b)
            setButton(b, false);
    }

private:
    int m_buttons;
    int m_axes;
    bool m_sdl = false;
    SDL_Joystick *m_joystick = nullptr;
    SDL_JoystickID m_instance = -1;
};
