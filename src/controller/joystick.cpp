#include "controller/joystick.h"

#include "controller/joystickaxis.h"

Joystick::Joystick(std::unique_ptr<JoystickDevice> device) : m_device(std::move(device))
{
}

bool Joystick::start()
{
    if (!m_started)
        m_started = m_device->start();
    if (m_started && !m_device->isOpen())
        m_device->open(m_id);
    return m_started;
}

void Joystick::setId(int id)
{
    if (id == m_id && m_device->isOpen())
        return;
    m_id = id;
    if (m_started)
        m_device->open(m_id);
}

void Joystick::close()
{
    m_device->close();
}

Joystick::Reading Joystick::update(bool foreground)
{
    m_x = m_y = m_z = 0;
    m_buttons = 0;
    m_states.reset();
    if (!m_started || !foreground)
        return Reading::Nothing;

    JoystickSample sample;
    switch (m_device->read(sample)) {
    case JoystickDevice::Status::Closed:
        return Reading::Nothing;
    case JoystickDevice::Status::Lost:
        m_device->close();
        return Reading::Lost;
    case JoystickDevice::Status::Read:
        break;
    }

    m_x = JoystickAxis::convert(sample.x, sample.axisMaximum, sample.axisMinimum, rangeX, deadZoneX);
    m_y = JoystickAxis::convert(sample.y, sample.axisMaximum, sample.axisMinimum, rangeY, deadZoneY);
    m_z = JoystickAxis::convert(sample.z, sample.axisMaximum, sample.axisMinimum, rangeZ, deadZoneZ);
    for (int i = 0; i < qMin(sample.buttonCount, 32); ++i)
        if (sample.buttons & (quint32(1) << i)) {
            m_buttons |= quint32(1) << i;
            m_states.set(inputButton(i + 1));
        }
    // The hat steers like the stick: on many game pads it is the pad's cross.
    if (m_x < 0 || sample.hat & JoystickSample::HatLeft)
        m_states.set(InputLeft);
    if (m_x > 0 || sample.hat & JoystickSample::HatRight)
        m_states.set(InputRight);
    if (m_y < 0 || sample.hat & JoystickSample::HatUp)
        m_states.set(InputUp);
    if (m_y > 0 || sample.hat & JoystickSample::HatDown)
        m_states.set(InputDown);
    return Reading::Read;
}
