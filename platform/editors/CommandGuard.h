#pragma once

#include <exception>
#include <utility>

// Runs a command where it starts, so that what it throws never unwinds through Qt's signal and
// event code: the error ends in the standard error box and the program goes on.
class CommandGuard
{
public:
    // False when the command threw.
    template<typename Command> static bool run(Command &&command)
    {
        try {
            std::forward<Command>(command)();
            return true;
        } catch (const std::exception &error) {
            showError(error);
        } catch (...) {
            showUnknownError();
        }
        return false;
    }

    // A slot running object's command under the guard.
    template<typename Object> static auto slot(Object *object, void (Object::*command)())
    {
        return [object, command] { run([object, command] { (object->*command)(); }); };
    }

private:
    static void showError(const std::exception &error);
    static void showUnknownError();
};
