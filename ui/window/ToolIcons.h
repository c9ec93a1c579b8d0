#pragma once

#include <QIcon>

namespace quorvel {

enum class ToolGlyph { NewList, OpenList, Save, SaveAs, AddItem, AddFromList, Remove };

// The main window's tool-button pictures, drawn in colour as normal-mode pixmaps: the disabled
// look Qt derives from them (grey and faded) then differs plainly from the enabled one.
QIcon ToolIcon(ToolGlyph glyph);

}  // namespace quorvel
