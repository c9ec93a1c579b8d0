#include "ui/dialogs/LineBound.h"

#include "model/BaseCustomClass.h"

namespace quorvel {

uint64_t WrittenBytesBound(const QString& text)
{
    // A plain loop the compiler vectorises: the text may be 32 MiB, checked at every key.
    const ushort* c = text.utf16();
    uint64_t escaped = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        escaped += uint64_t((c[i] == u'\r') | (c[i] == u'\n') | (c[i] == u'"') | (c[i] == u'%'));
    return uint64_t(text.size()) + 2 * escaped + 3;
}

uint64_t OtherFieldsBytesBound(const TBaseCustomClass& item, int32_t except)
{
    uint64_t most = 0;
    for (int32_t p = 0; p < item.FieldCount(); ++p)
        if (p != except)
            most += 3 * uint64_t(item.TextAt(p).size()) + 48;
    return most;
}

}  // namespace quorvel
