#include "ui/window/MainFormAccess.h"

#include "platform/qt/CommandGuard.h"

#include <stdexcept>

namespace quorvel {

std::function<void()> CommandGroup::CommandSlot(std::function<void()> handler)
{
    return [this, handler = std::move(handler)] {
        RunCommand(handler);
        // Also after a failure: the handler may have changed something before it threw.
        RunCommand([this] { form_.UpdateMenuState(); });
    };
}

void CommandGroup::Connect(const char* objectName, std::function<void()> handler)
{
    QAction* action = form_.Action(objectName);
    if (!action)
        throw std::logic_error(std::string("No menu entry named ") + objectName);
    action->setProperty("quorvelBuilt", true);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, CommandSlot(std::move(handler)));
}

}  // namespace quorvel
