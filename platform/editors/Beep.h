#pragma once

#include <functional>

// The platform's beep, sounded when an editor refuses a character. Tests may listen instead.
class Beep
{
public:
    static void sound();

    // For tests: called instead of the real beep; an empty listener restores it.
    static void setListener(std::function<void()> listener);
};
