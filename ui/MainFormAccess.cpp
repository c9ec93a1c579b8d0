#include "ui/MainFormAccess.h"

#include "platform/qt/CommandGuard.h"

#include <stdexcept>

namespace quorvel {

void CommandGroup::Connect(const char* objectName, std::function<void()> handler)
{
    QAction* action = form_.Action(objectName);
    if (!action)
        throw std::logic_error(std::string("No menu entry named ") + objectName);
    action->setProperty("quorvelBuilt", true);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [handler = std::move(handler)] { RunCommand(handler); });
}

}  // namespace quorvel
