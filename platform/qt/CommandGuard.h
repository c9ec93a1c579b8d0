#pragma once

#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

namespace quorvel {

// Every command of a window runs through this: an exception that escapes the command is shown in an
// error box and the window stays usable. Returns false when the command failed.
bool RunCommand(const std::function<void()>& command);

// The one way to make a slot: connect(sender, signal, receiver, Guarded(handler)) runs Handler inside
// RunCommand. Handler takes the signal's arguments or none of them (Qt drops the ones it does not take).
template <typename Handler> auto Guarded(Handler handler)
{
    return [handler = std::move(handler)]<typename... Args>(Args &&
                                                            ... args) requires std::invocable<const Handler&, Args&&...>
    {
        RunCommand([&] { std::invoke(handler, std::forward<Args>(args)...); });
    };
}

// The text of a failure for a box: Windows-1252 text, with a file name in it shown as the file
// system spells it.
QString ErrorText(const std::exception& e);

}  // namespace quorvel
