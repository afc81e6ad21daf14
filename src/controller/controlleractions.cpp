#include "controller/controlleractions.h"

#include <array>

namespace {
struct Entry
{
    const char16_t *caption;
    const char16_t *failure;
};

const std::array<Entry, ControllerActions::ActionCount> Table = {{
    {u"Audio \u2022 next song", u"Could not find the next song."},
    {u"Audio \u2022 prior genre", u"Could not find the prior genre."},
    {u"Audio \u2022 prior song", u"Could not find the prior song."},
    {u"Audio \u2022 start (next genre)", u"Could not start or select the next genre."},
    {u"Audio \u2022 stop", u""},
    {u"Browser \u2022 active (select)", u""},
    {u"Browser \u2022 back", u"Could not redirect the active browser,\nit may be busy."},
    {u"Browser \u2022 delete", u"Could not delete the active browser,\nit may be busy."},
    {u"Browser \u2022 forward", u"Could not redirect the active browser,\nit may be busy."},
    {u"Browser \u2022 jump", u""},
    {u"Browser \u2022 print", u"Could not print the active browser,\nit may be busy."},
    // Told by the queue's own open operation, which knows why it refused.
    {u"Browser \u2022 open",
     u"Could not open the selected web address. The\nbrowser count would exceed the grid limit."},
    {u"Browser \u2022 refresh", u"Could not refresh the active browser,\nit may be busy."},
    {u"Browser \u2022 stop", u"Could not stop the active browser,\nit may be busy."},
    {u"Browser \u2022 zoom", u"Could not zoom the active browser,\nit may be busy."},
    {u"Window \u2022 boss button", u"Could not set the boss button."},
}};

// Index = button number - FirstButton.
constexpr std::array<int, 15> Defaults = {5, 11, 14, 3, 15, 6, 8, 12, 13, 10, 7, 1, 2, 0, 4};
} // namespace

QString ControllerActions::caption(int action)
{
    return valid(action) ? QString::fromUtf16(Table[action].caption) : QString();
}

QStringList ControllerActions::captions()
{
    QStringList list;
    for (int i = 0; i < ActionCount; ++i)
        list << caption(i);
    return list;
}

QString ControllerActions::failureMessage(int action)
{
    return valid(action) ? QString::fromUtf16(Table[action].failure) : QString();
}

int ControllerActions::defaultAssignment(int button)
{
    if (button < FirstButton || button > LastButton)
        return -1;
    return Defaults[button - FirstButton];
}
