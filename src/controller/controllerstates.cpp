#include "controller/controllerstates.h"

void ControllerStates::update(const InputStates &raw)
{
    const InputStates pressed = raw & ~m_previous;
    const InputStates released = ~raw & m_previous;
    m_states |= pressed;
    m_states &= ~released;
    m_previous = raw;
}

void ControllerStates::clear()
{
    m_states.reset();
    m_previous.reset();
}
