#pragma once

#include <QtGlobal>

// One reading of a joystick as the device reports it, before conversion.
struct JoystickSample
{
    // Directions of the point-of-view hat, as bits.
    enum Hat : quint8 { HatUp = 1, HatRight = 2, HatDown = 4, HatLeft = 8 };

    int axisMinimum = -32768;
    int axisMaximum = 32767;
    int x = 0, y = 0, z = 0; // raw positions; an axis the device lacks reads its centre
    int buttonCount = 0;     // at most 32
    quint32 buttons = 0;     // bit i = button i + 1
    quint8 hat = 0;
};

// The joystick layer the controller reads through. The real one is SDL2;
// every call is made on the user-interface thread.
class JoystickDevice
{
public:
    enum class Status {
        Read,   // sample filled
        Closed, // no device open: nothing to read
        Lost    // the open device went away (unplugged)
    };

    virtual ~JoystickDevice() = default;

    // Brings the joystick layer up (once); false when it cannot start.
    virtual bool start() = 0;
    // Opens the joystick counted id among the present ones, from 0, closing
    // any open one; false when there is no such joystick.
    virtual bool open(int id) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual Status read(JoystickSample &sample) = 0;
};
