#include "platform/qt/PaintThreads.h"

#include <QThreadPool>

namespace quorvel {

void LimitPaintThreads() { QThreadPool::globalInstance()->setMaxThreadCount(1); }

}  // namespace quorvel
