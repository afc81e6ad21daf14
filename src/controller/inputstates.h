#pragma once

#include <bitset>

// The inputs a controller reading can hold (TInputStates): the four stick
// directions, then Buttons 1 to 32. The value is the bit number in the set.
enum InputState : int {
    InputUp = 0,
    InputDown = 1,
    InputLeft = 2,
    InputRight = 3,
    InputButton1 = 4,
    InputButton32 = InputButton1 + 31,
    InputCount = 36
};

using InputStates = std::bitset<InputCount>;

// The input of a button by its number, 1 to 32.
constexpr InputState inputButton(int number)
{
    return InputState(InputButton1 + number - 1);
}
