#pragma once

// Going to a place in the template window: the box of one field of a window row, or one of
// the [Default View] boxes, scrolled into view and given the focus.

namespace cockpix {

class TemplateWindow;

// field is a WindowField as int (-1: the row's title box); found by the boxes' objectNames.
void focusTemplateRow(TemplateWindow& window, int w, int field);
// index 0..3: X position, Y position, X size, Y size (Text9..Text12).
void focusTemplateViewBox(TemplateWindow& window, int index);

} // namespace cockpix
