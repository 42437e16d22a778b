// How the editor asks the user for a parameter's value: a popup menu of the display texts for
// enum parameters and for bool parameters that have display texts (the current one checked),
// an edit box holding the plain value for every other kind. The window layer shows both; this
// decision and the menu it builds are its own, so they are tested without a window.
// [UI thread; builds the menu, which lives only during the call]
#pragma once

#include "gui/irectangle.h"

class IControl;
class IGraphics;
class IParameter;

// Nothing when the control or the parameter is null. A chosen menu item sets the control's
// value (normalised from the item's position); the edit box commits later, on the timer.
void PromptWithMenuOrTextEntry(IGraphics& graphics, IControl* control, IParameter* param, const IRectangle& rect);
